#include "ui/edit/FormWindow.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>

#include "ui/edit/DateField.h"
#include "ui/edit/FormAccessible.h"
#include "ui/toolkit/CApEditContext.h"
#include "ui/toolkit/Dpi.h"

namespace {

QRect ToQRect(const PseudoRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

bool IsDrawnChoice(CellKind kind) { return kind == CellKind::Choice || kind == CellKind::Picture; }

}  // namespace

FormWindow::FormWindow(WndImpl& owner, QScrollArea& area, QWidget* parent)
    : QWidget(parent), owner_(owner), area_(area) {
    FormAccessible::Install();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    line_ = new QLineEdit(this);
    line_->setFrame(false);
    line_->hide();
    // The form looks at Tab before the edit control does; the edit control turns Up and Down into
    // Tabs, which then reach the form.
    line_->installEventFilter(this);
    CApEditContext::Attach(*line_, true);
    connect(line_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (const FormCell* cell = CurrentCell()) current_.block->SetCellText(*cell, text);
    });
    note_ = new QPlainTextEdit(this);
    note_->hide();
    note_->installEventFilter(this);
    CApEditContext::Attach(*note_, false);  // a text of several lines keeps its arrows
    connect(note_, &QPlainTextEdit::textChanged, this, [this] {
        if (const FormCell* cell = CurrentCell()) current_.block->SetCellText(*cell, note_->toPlainText());
    });
}

FormWindow::~FormWindow() = default;

void FormWindow::SetBlocks(std::vector<std::unique_ptr<FormBlock>> blocks) {
    HideEditors();
    current_ = {};
    pressed_ = {};
    blocks_ = std::move(blocks);
    // Labels and values share the window's font; "A" measures as tall as a line of it.
    const BlockFonts fonts{fontMetrics().height(), fontMetrics().height()};
    // The window is their host.
    for (const auto& block : blocks_) (void)block->Place(this, 0, width(), fonts);
    Restack();
    FormAccessible::Reset(*this);
}

FormBlock* FormWindow::BlockOf(int group) const {
    for (const auto& block : blocks_) {
        if (block->Group() == group) return block.get();
    }
    return nullptr;
}

void FormWindow::Restack() {
    if (restacking_) return;
    restacking_ = true;
    int top = 0;
    for (const auto& block : blocks_) {
        const PseudoRect& rect = block->Rect();
        if (rect.Width() != width()) {
            block->Move(0, top, width(), rect.Height(), 0, false, true);
            block->RequestLayout();
            block->Layout();
        }
        block->Move(0, top, width(), block->Rect().Height(), 0, false, true);
        top += block->Rect().Height();
    }
    restacking_ = false;
    setMinimumHeight(top);
    if (Exists(current_)) ShowEditor();
    update();
}

void FormWindow::Notify(const BlockNotification& notification) {
    if (notification.action == BlockNotification::kHeightChanged) Restack();
}

void FormWindow::InvalidateRect(const PseudoRect& rect) { update(ToQRect(rect)); }

const FormCell* FormWindow::CurrentCell() const {
    if (!Exists(current_) || current_.cell < 0) return nullptr;
    return &current_.block->Cells()[current_.cell];
}

std::vector<FormWindow::Stop> FormWindow::Stops() const {
    std::vector<Stop> stops;
    for (const auto& block : blocks_) {
        for (int element = 0; element < block->ElementCount(); ++element) {
            if (block->LabelChoosable(element)) stops.push_back({block.get(), -1, element});
            for (const int cell : block->CellsOf(element)) stops.push_back({block.get(), cell, -1});
        }
    }
    return stops;
}

void FormWindow::Step(int direction) {
    const std::vector<Stop> stops = Stops();
    if (stops.empty()) return;
    const auto at = std::find(stops.begin(), stops.end(), current_);
    const int count = static_cast<int>(stops.size());
    int next = direction > 0 ? 0 : count - 1;
    if (at != stops.end()) next = (static_cast<int>(at - stops.begin()) + direction + count) % count;
    MoveTo(stops[next]);
}

bool FormWindow::Exists(const Stop& stop) const {
    if (stop.block == nullptr) return false;
    if (stop.cell >= 0) return stop.cell < static_cast<int>(stop.block->Cells().size());
    return stop.label >= 0 && stop.label < stop.block->ElementCount();
}

void FormWindow::FocusFirst(FormBlock* block) {
    const std::vector<Stop> stops = Stops();
    for (const Stop& stop : stops) {
        if (stop.cell >= 0 && (block == nullptr || stop.block == block)) return MoveTo(stop);
    }
    for (const Stop& stop : stops) {
        if (block == nullptr || stop.block == block) return MoveTo(stop);
    }
}

void FormWindow::FocusElement(FormBlock& block, int element) {
    const std::vector<int> cells = block.CellsOf(element);
    if (!cells.empty()) return MoveTo({&block, cells.front(), -1});
    if (block.LabelChoosable(element)) MoveTo({&block, -1, element});
}

void FormWindow::MoveTo(const Stop& stop) {
    if (!(stop == current_)) {
        if (Exists(current_)) update(StopRect(current_));
        HideEditors();
        current_ = stop;
        if (current_.block != nullptr) update(StopRect(current_));
    }
    ShowEditor();
    if (Exists(current_)) ScrollTo(StopRect(current_));
    TellFocus();
}

void FormWindow::HideEditors() {
    // The form keeps the keyboard while the editor that had it goes.
    if (line_->hasFocus() || note_->hasFocus() || (date_ != nullptr && date_->hasFocus())) setFocus();
    line_->hide();
    note_->hide();
    if (date_ != nullptr) {
        date_->hide();
        date_->deleteLater();
        date_ = nullptr;
    }
}

void FormWindow::ShowEditor() {
    const FormCell* cell = CurrentCell();
    if (cell == nullptr || IsDrawnChoice(cell->kind)) {
        setFocus();
        return;
    }
    FormBlock& block = *current_.block;
    const QRect rect = StopRect(current_);
    const QString label = block.ElementLabel(cell->element);
    QWidget* editor = nullptr;
    if (cell->kind == CellKind::Text) {
        if (!line_->isVisible()) {
            const QSignalBlocker quiet(line_);
            line_->setText(block.CellText(*cell));
            line_->setCursorPosition(0);  // a value shows its start, as it is drawn
        }
        line_->setPlaceholderText(block.Placeholder(*cell));
        editor = line_;
    } else if (cell->kind == CellKind::Note) {
        if (!note_->isVisible()) {
            const QSignalBlocker quiet(note_);
            note_->setPlainText(block.CellText(*cell));
        }
        editor = note_;
    } else if (date_ == nullptr) {
        DateField* field = date_ = new DateField(block.CellDate(*cell), this);
        field->installEventFilter(this);
        const FormCell shown = *cell;
        connect(field, &QDateEdit::dateChanged, this, [this, field, shown, &block] {
            if (field == date_) block.SetCellDate(shown, field->FileTime());
        });
        editor = date_;
    } else {
        editor = date_;
    }
    editor->setAccessibleName(label);
    editor->setGeometry(rect);
    editor->show();
    if (!editor->hasFocus()) editor->setFocus();
}

void FormWindow::TellFocus() {
    if (!QAccessible::isActive()) return;
    const int focused = FocusedElement();
    if (focused < 0) return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(focused);
    QAccessible::updateAccessibility(&event);
}

QRect FormWindow::StopRect(const Stop& stop) const {
    if (!Exists(stop)) return {};
    if (stop.cell >= 0)
        return ToQRect(stop.block->ToHost(stop.block->CellRect(stop.block->Cells()[stop.cell])));
    const std::optional<PseudoRect> label =
        stop.block->PartRect(*stop.block->Element(stop.label), BlockPart::Label);
    return label ? ToQRect(stop.block->ToHost(*label)) : QRect();
}

QPoint FormWindow::PartPoint(const FormBlock& block, int element, BlockPart part) const {
    const std::optional<PseudoRect> rect = block.PartRect(*block.Element(element), part);
    return rect ? ToQRect(block.ToHost(*rect)).center() : QPoint(-1, -1);
}

QPoint FormWindow::CellPoint(const FormBlock& block, int cell) const {
    return ToQRect(block.ToHost(block.CellRect(block.Cells()[cell]))).center();
}

void FormWindow::ScrollTo(const QRect& rect) {
    // The layout is settled first, so that the rectangle is brought into view where it now stands.
    area_.widget()->adjustSize();
    const QPoint centre = mapTo(area_.widget(), rect.center());
    area_.ensureVisible(centre.x(), centre.y(), rect.width() / 2, rect.height() / 2 + ScaleY(4));
}

QPoint FormWindow::GlobalBelow(const QRect& rect) const {
    return mapToGlobal(rect.bottomLeft() + QPoint(0, 1));
}

std::vector<FormWindow::ElementRef> FormWindow::Elements() const {
    std::vector<ElementRef> elements;
    for (const auto& block : blocks_) {
        for (int element = 0; element < block->ElementCount(); ++element)
            elements.push_back({block.get(), element});
    }
    return elements;
}

int FormWindow::FocusedElement() const {
    if (!Exists(current_)) return -1;
    const int element = current_.cell >= 0 ? current_.block->Cells()[current_.cell].element : current_.label;
    const std::vector<ElementRef> elements = Elements();
    for (int index = 0; index < static_cast<int>(elements.size()); ++index) {
        if (elements[index].block == current_.block && elements[index].element == element) return index;
    }
    return -1;
}

QRect FormWindow::ElementRect(const ElementRef& ref) const {
    return ToQRect(ref.block->ToHost(ref.block->Element(ref.element)->Rect()));
}

// --- input

FormWindow::Hit FormWindow::HitAt(const QPoint& at) const {
    for (const auto& block : blocks_) {
        const PseudoRect& rect = block->Rect();
        if (!rect.Contains({at.x(), at.y()})) continue;
        const PseudoPoint inside = block->FromParent(PseudoPoint{at.x(), at.y()});
        Hit hit{block.get(), block->HitTest(inside), -1};
        if (hit.hit.part == BlockPart::Value)
            hit.cell = block->CellAt(block->IndexOf(hit.hit.element), inside);
        return hit;
    }
    return {};
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton ? HitAt(event->position().toPoint()) : Hit{};
    event->accept();
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
    const Hit hit = HitAt(event->position().toPoint());
    const Hit pressed = std::exchange(pressed_, Hit{});
    event->accept();
    // A tap is a press and a release on the same part.
    if (event->button() != Qt::LeftButton || hit.block == nullptr || hit.block != pressed.block ||
        hit.hit.element != pressed.hit.element || hit.hit.part != pressed.hit.part ||
        hit.cell != pressed.cell) {
        return;
    }
    Tap(hit);
}

void FormWindow::Tap(const Hit& hit) {
    FormBlock& block = *hit.block;
    const int element = block.IndexOf(hit.hit.element);
    switch (hit.hit.part) {
        case BlockPart::FirstButton:
        case BlockPart::SecondButton: {
            // An editor over the element is made again: it shows the element as it is now.
            const bool editing =
                current_.block == &block && CurrentCell() != nullptr && CurrentCell()->element == element;
            if (editing) HideEditors();
            const int next = block.OnSmallButton(element, hit.hit.part);
            if (next >= 0) return FocusElement(block, next);
            if (editing) ShowEditor();
            return;
        }
        case BlockPart::Label:
            // A label without a popup stands for its value.
            if (!block.LabelChoosable(element)) return FocusElement(block, element);
            MoveTo({&block, -1, element});
            return Activate();
        case BlockPart::Value:
            if (hit.cell < 0) return;
            MoveTo({&block, hit.cell, -1});
            if (IsDrawnChoice(block.Cells()[hit.cell].kind)) Activate();
            return;
        default: return;
    }
}

void FormWindow::Activate() {
    if (!Exists(current_)) return;
    FormBlock& block = *current_.block;
    const QRect rect = StopRect(current_);
    if (current_.label >= 0) {
        // The label popup opens below its label and ends at the label's right edge.
        block.RunLabelPopup(current_.label, mapToGlobal(QPoint(rect.right(), rect.bottom() + 1)), this,
                            owner_);
    } else if (const FormCell* cell = CurrentCell()) {
        if (IsDrawnChoice(cell->kind)) block.RunChoice(*cell, GlobalBelow(rect), this, owner_);
    }
    if (!Exists(current_)) current_ = {};
    update();
}

bool FormWindow::event(QEvent* event) {
    // Tab walks the form's own stops instead of leaving the window.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            Step(key == Qt::Key_Tab ? 1 : -1);
            return true;
        }
    }
    return QWidget::event(event);
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Down: return Step(1);
        case Qt::Key_Up: return Step(-1);
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
        case Qt::Key_Select: return Activate();
        default: return event->ignore();  // Escape and the soft keys go on to the dialog
    }
}

void FormWindow::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (Exists(current_)) return;
    if (event->reason() == Qt::BacktabFocusReason) return Step(-1);
    if (event->reason() == Qt::TabFocusReason) FocusFirst();
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == line_ || watched == note_ || watched == date_)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            Step(key == Qt::Key_Tab ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- painting

void FormWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Restack();
}

void FormWindow::paintEvent(QPaintEvent* event) {
    if (canvas_.size() != size()) canvas_ = QImage(size(), QImage::Format_RGB32);
    {
        QPainter canvas(&canvas_);
        canvas.setFont(font());
        for (const QRect& exposed : event->region()) {
            canvas.setClipRect(exposed);
            canvas.fillRect(exposed, palette().base());
            for (const auto& block : blocks_) {
                const QRect rect = ToQRect(block->Rect());
                if (!rect.intersects(exposed)) continue;
                const QRect inside = exposed.intersected(rect).translated(-rect.topLeft());
                const FormCell* cell = current_.block == block.get() ? CurrentCell() : nullptr;
                const int label = current_.block == block.get() ? current_.label : -1;
                canvas.save();
                canvas.translate(rect.topLeft());
                block->Paint(canvas, {inside.left(), inside.top(), inside.right() + 1, inside.bottom() + 1},
                             cell, label);
                canvas.restore();
            }
        }
    }
    QPainter screen(this);
    for (const QRect& exposed : event->region()) screen.drawImage(exposed, canvas_, exposed);
}
