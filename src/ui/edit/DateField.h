#pragma once
// DateField: the editor of one date row: a date in the device locale's short format, or no date
// at all. A date left as it was is handed back exactly as stored (any time of day included); a date
// set here is 00:00 of its day. A stored date without a year is shown and edited as day and month
// and stays without a year. Keys: Delete clears the date; on an empty field a digit, Up, Down,
// Page Up, Page Down or Space start from today; digits that fill a part of the date go on to the
// next part, and so does a separator typed after a part; Alt+Down or F4 opens the calendar, which
// starts at today on an empty field and leaves it empty when closed without a choice.
#include <QDateEdit>
#include <cstdint>

class QCalendarWidget;

class DateField : public QDateEdit {
public:
    // `stored` is the row's file time, 0 for no date.
    DateField(uint64_t stored, QWidget* parent);

    // The text a field of `stored` shows before it is edited.
    static QString TextOf(uint64_t stored);

    [[nodiscard]] bool IsEmpty() const;
    void Clear();
    void OpenCalendar();
    // The row's file time as now edited; 0 for no date.
    uint64_t FileTime() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    [[nodiscard]] bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowFormat();
    void SelectSection(int index);

    uint64_t stored_;
    QDate shownAtStart_;
    bool yearless_;
    bool wentOn_ = false;  // the last digit filled its part and went on to the next
    QCalendarWidget* calendar_ = nullptr;
};
