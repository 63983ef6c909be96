#include "floating/ComboFloat.h"

TComboFloatForm* ComboFloatForm = nullptr;

TComboFloatForm::TComboFloatForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {}
