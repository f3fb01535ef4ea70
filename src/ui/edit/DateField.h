#pragma once
// DateField: the editor of one date row: a date in the device locale's short format, or no date
// at all. A date left as it was is handed back exactly as stored (any time of day included); a date
// set here is 00:00 of its day. A stored date without a year is shown and edited as day and month
// and stays without a year. Keys: Delete clears the date; on an empty field a digit, Up, Down,
// Page Up, Page Down or Space start from today; Alt+Down opens the calendar, which starts at today
// on an empty field and leaves it empty when closed without a choice.
#include <QDateEdit>
#include <cstdint>

class QCalendarWidget;

class DateField : public QDateEdit {
public:
    // `stored` is the row's file time, 0 for no date.
    DateField(uint64_t stored, QWidget* parent);

    bool IsEmpty() const;
    void Clear();
    // The row's file time as now edited; 0 for no date.
    uint64_t FileTime() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowFormat();

    uint64_t stored_;
    QDate shownAtStart_;
    bool yearless_;
    QCalendarWidget* calendar_;
};
