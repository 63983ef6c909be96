#pragma once
// The about box. Its creation, the last of start-up, is where the stored state is loaded.
#include <QDialog>

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

private:
    void FormCreate();
};

extern TForm6* Form6;
