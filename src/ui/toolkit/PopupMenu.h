#pragma once
// Popup menus from plain menu descriptions: every item keeps its command identifier, so the chosen
// item comes back as that identifier.
#include <QPoint>
#include <cstdint>

#include "core/menu/MenuDescription.h"

class QMenu;
class QWidget;

// A QMenu of the description (owned by the caller): check and radio marks, disabled items and
// submenus, separators; each action's data is its command.
QMenu* BuildPopupMenu(const MenuDescription& description, QWidget* parent);

// Shows the menu at `globalPos` and waits for the choice: the chosen command, or 0 when the menu
// was dismissed.
uint32_t TrackPopupMenu(const MenuDescription& description, const QPoint& globalPos, QWidget* parent);

// The text of a QString as the system's string, and back.
QString ToQString(const Str& text);
Str FromQString(const QString& text);
