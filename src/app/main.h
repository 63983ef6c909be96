#pragma once
// The main window.
#include <QMainWindow>

class TForm3 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
};

extern TForm3* Form3;
