#pragma once
// The floating status window at the bottom right of the screen.
#include <QWidget>

class TComboFloatForm : public QWidget {
    Q_OBJECT
public:
    explicit TComboFloatForm(QWidget* parent = nullptr);
};

extern TComboFloatForm* ComboFloatForm;
