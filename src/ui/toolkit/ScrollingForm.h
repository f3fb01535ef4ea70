#pragma once
// The content of a dialog that is a column of blocks, taller than the screen: a frameless scroll
// area filling the dialog's content area, and the column inside it. Blocks are inserted before the
// column's final stretch, so they stay at the top however few there are.
class QScrollArea;
class QVBoxLayout;
class QWidget;

struct ScrollingForm {
    QScrollArea* scroll = nullptr;
    QVBoxLayout* column = nullptr;
};

// Adds the scroll area and its column to `content`, a layout of `parent`.
ScrollingForm AddScrollingForm(QWidget* parent, QVBoxLayout& content);
