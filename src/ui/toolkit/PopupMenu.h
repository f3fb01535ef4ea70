#pragma once
// Popup menus from plain menu descriptions: every item keeps its command identifier, so the chosen
// item comes back as that identifier.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>

#include "core/menu/MenuDescription.h"

class QMenu;
class QWidget;

// A QMenu of the description (owned by the caller): check and radio marks, disabled items and
// submenus, separators; each action's data is its command.
QMenu* BuildPopupMenu(const MenuDescription& description, QWidget* parent);

// Which corner of a popup stands at its anchor point: its top-left one, or its top-right one (the
// popup then opens to the left of the point).
enum class PopupAlign { Left, Right };

// The top-left corner of a popup of `size` anchored at `anchor` as `align` says, moved just as far
// as it takes to keep the whole popup on `screen` (a popup larger than the screen keeps its top-left
// corner on it).
QPoint PopupOrigin(const QPoint& anchor, const QSize& size, const QRect& screen, PopupAlign align);

// Shows the menu anchored at `globalPos` (kept on the screen) and waits for the choice: the chosen
// command, or 0 when the menu was dismissed.
uint32_t TrackPopupMenu(const MenuDescription& description, const QPoint& globalPos, QWidget* parent,
                        PopupAlign align = PopupAlign::Left);

// The text of a QString as the system's string, and back.
QString ToQString(const Str& text);
Str FromQString(const QString& text);
