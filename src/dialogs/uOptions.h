#pragma once
// The settings dialog.
#include <QDialog>

class TForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
};

extern TForm1* Form1;
