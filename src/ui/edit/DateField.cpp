#include "ui/edit/DateField.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <utility>

#include "platform/locale/Locale.h"
#include "store/contact/ContactDate.h"
#include "ui/toolkit/UiStrings.h"
#include "view/pane/FileTimeDate.h"

namespace {

// The empty date: the first day of file times, whose 00:00 is the empty file time 0.
const QDate kNoDate(1601, 1, 1);
const QDate kLastDate(9999, 12, 31);

QDate ShownDate(uint64_t fileTime) {
    const std::optional<CalendarDate> date = fileTime == 0 ? std::nullopt : DateOfFileTime(fileTime);
    const QDate shown = date ? QDate(date->year, date->month, date->day) : QDate();
    return shown.isValid() && shown <= kLastDate ? shown : kNoDate;
}

bool IsFormatLetter(QChar c) { return c == u'd' || c == u'M' || c == u'y'; }

// The locale's short format with the year in four digits (a two-digit year cannot say 1925).
QString FullYearFormat(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy"))) format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

// The same without the year and the separators that joined it to the day or month.
QString DayMonthFormat(QString format) {
    qsizetype first = format.indexOf(u'y');
    if (first < 0) return format;
    qsizetype last = format.lastIndexOf(u'y') + 1;
    if (last == format.size()) {
        while (first > 0 && !IsFormatLetter(format[first - 1])) --first;
    } else {
        while (last < format.size() && !IsFormatLetter(format[last])) ++last;
    }
    return format.remove(first, last - first);
}

// The keys that start a date in an empty field.
bool StartsADate(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return false;
    switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Space: return true;
    default: return event.key() >= Qt::Key_0 && event.key() <= Qt::Key_9;
    }
}

bool IsClearKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Delete && event.modifiers() == Qt::NoModifier;
}

bool IsCalendarKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_F4 || (event.key() == Qt::Key_Down && event.modifiers() == Qt::AltModifier);
}

bool IsSeparator(const QKeyEvent& event) {
    const QString text = event.text();
    return text.size() == 1 && text[0].isPrint() && !text[0].isLetterOrNumber() && !text[0].isSpace();
}

}  // namespace

DateField::DateField(uint64_t stored, QWidget* parent)
    : QDateEdit(parent), stored_(stored), shownAtStart_(ShownDate(stored)), yearless_(IsYearlessDate(stored)) {
    setLocale(QLocale(QString::fromStdString(plat::LocaleName())));
    setDateRange(kNoDate, kLastDate);
    setSpecialValueText(UiText(uistr::kNoDate));
    setCalendarPopup(true);
    ShowFormat();
    setDate(shownAtStart_);
}

QString DateField::TextOf(uint64_t stored) {
    const QDate shown = ShownDate(stored);
    if (shown == kNoDate) return UiText(uistr::kNoDate);
    const QLocale locale(QString::fromStdString(plat::LocaleName()));
    const QString format = FullYearFormat(locale);
    return locale.toString(shown, IsYearlessDate(stored) ? DayMonthFormat(format) : format);
}

bool DateField::IsEmpty() const { return date() == kNoDate; }

void DateField::Clear() {
    yearless_ = false;
    ShowFormat();
    setDate(kNoDate);
}

uint64_t DateField::FileTime() const {
    if (date() == shownAtStart_) return stored_;
    if (IsEmpty()) return 0;
    return FileTimeOfDate({date().year(), date().month(), date().day()}).value_or(0);
}

void DateField::ShowFormat() {
    const QString format = FullYearFormat(locale());
    setDisplayFormat(yearless_ ? DayMonthFormat(format) : format);
}

void DateField::keyPressEvent(QKeyEvent* event) {
    if (IsClearKey(*event)) {
        Clear();
        return event->accept();
    }
    if (IsCalendarKey(*event)) {
        OpenCalendar();
        return event->accept();
    }
    // A separator goes on to the next part of the date, unless the digits before it filled their
    // part and went on already.
    const bool wentOn = std::exchange(wentOn_, false);
    if (IsSeparator(*event)) {
        if (!wentOn && currentSectionIndex() + 1 < sectionCount()) SelectSection(currentSectionIndex() + 1);
        return event->accept();
    }
    if (IsEmpty() && StartsADate(*event)) {
        setDate(QDate::currentDate());
        if (event->key() == Qt::Key_Space) return event->accept();
        SelectSection(0);
        // Up and Down step from today, not from the day before it.
        if (event->key() < Qt::Key_0 || event->key() > Qt::Key_9) return event->accept();
    }
    const int section = currentSectionIndex();
    QDateEdit::keyPressEvent(event);
    // Digits that fill a part go on to the next one: it is selected, so typing replaces it.
    if (currentSectionIndex() != section && !event->text().isEmpty()) {
        SelectSection(currentSectionIndex());
        wentOn_ = true;
    }
}

void DateField::SelectSection(int index) {
    setCurrentSectionIndex(index);
    setSelectedSection(currentSection());
}

void DateField::OpenCalendar() {
    // The date editor opens its calendar only for a tap on its arrow: the tap is given to it.
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QPointF arrow = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this).center();
    QMouseEvent press(QEvent::MouseButtonPress, arrow, mapToGlobal(arrow), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    mousePressEvent(&press);
}

void DateField::mousePressEvent(QMouseEvent* event) {
    // The calendar is made when it is first opened: a form has many dates, few get a calendar.
    if (calendar_ == nullptr) {
        calendar_ = new QCalendarWidget(this);
        setCalendarWidget(calendar_);
        calendar_->installEventFilter(this);
    }
    QDateEdit::mousePressEvent(event);
}

bool DateField::eventFilter(QObject* watched, QEvent* event) {
    // The calendar opens at today for an empty field without setting a date: closing it without a
    // choice leaves the field empty.
    if (watched == calendar_ && event->type() == QEvent::Show && IsEmpty()) {
        const QSignalBlocker quiet(calendar_);
        calendar_->setSelectedDate(QDate::currentDate());
    }
    return QDateEdit::eventFilter(watched, event);
}
