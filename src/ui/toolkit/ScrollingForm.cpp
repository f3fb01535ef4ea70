#include "ui/toolkit/ScrollingForm.h"

#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

ScrollingForm AddScrollingForm(QWidget* parent, QVBoxLayout& content) {
    ScrollingForm form;
    form.scroll = new QScrollArea(parent);
    form.scroll->setWidgetResizable(true);
    form.scroll->setFrameShape(QFrame::NoFrame);
    auto* inner = new QWidget(form.scroll);
    form.column = new QVBoxLayout(inner);
    form.column->setContentsMargins(0, 0, 0, 0);
    form.column->setSpacing(0);
    form.column->addStretch(1);
    form.scroll->setWidget(inner);
    content.setContentsMargins(0, 0, 0, 0);
    content.addWidget(form.scroll, 1);
    return form;
}
