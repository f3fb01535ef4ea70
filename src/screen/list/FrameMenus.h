#pragma once
// The soft-key menus of the contacts frame, with their marks taken from the settings.
//
// "View": the "Sort By" submenu (Name, File As, Company; radio), the row form (1-line Display,
// 2-line with Picture; radio), Show Only Name and Highlight found (checks), the alphabet bar
// (Hide, Small, Big; radio), Preview and Show Phone Panel (checks) and Category List.
// "Menu": New Contact; Edit, Delete, Set Contact Ringtone, Beam..., Make Appointment... (enabled
// with a contact selected; Delete and Beam... also for several); Edit Contact Template..., Set Data
// Folder Location..., Reindex Contacts; Options... and About... (the last two and the template
// editor are the main window's commands).
#include "core/menu/MenuDescription.h"
#include "screen/list/FrameSettings.h"

MenuDescription FrameViewMenu(const FrameSettings& settings);

// `oneContact`: exactly one contact is selected; `anyContact`: at least one is.
MenuDescription FrameToolsMenu(bool oneContact, bool anyContact);
