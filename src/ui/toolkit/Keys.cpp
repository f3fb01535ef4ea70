#include "ui/toolkit/Keys.h"

#include <QKeyEvent>

namespace {

struct KeyPair {
    int qtKey;
    uint32_t virtualKey;
};

constexpr KeyPair kKeys[] = {
    {Qt::Key_F1, VK_SOFTKEY_LEFT}, {Qt::Key_F2, VK_SOFTKEY_RIGHT}, {Qt::Key_F3, VK_TTALK},
    {Qt::Key_F4, VK_TEND},         {Qt::Key_Return, VK_RETURN},    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Escape, VK_ESCAPE},   {Qt::Key_Backspace, VK_BACK},   {Qt::Key_Space, VK_SPACE},
    {Qt::Key_Left, VK_LEFT},       {Qt::Key_Up, VK_UP},            {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},       {Qt::Key_Delete, VK_DELETE},
};

}  // namespace

bool IsContextMenuKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Menu ||
           (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier);
}

bool IsShowKeysKey(const QKeyEvent& event) {
    if ((event.modifiers() & Qt::ControlModifier) == 0) return false;
    return event.key() == Qt::Key_Question ||
           (event.key() == Qt::Key_Slash && (event.modifiers() & Qt::ShiftModifier) != 0);
}

bool IsPhoneKeypad(const QKeyEvent& event) { return (event.modifiers() & Qt::KeypadModifier) != 0; }

uint32_t VirtualKeyOf(const QKeyEvent& event) {
    const int key = event.key();
    if (IsPhoneKeypad(event) && key == Qt::Key_Asterisk) return VK_STAR;
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<uint32_t>('0' + (key - Qt::Key_0));
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<uint32_t>('A' + (key - Qt::Key_A));
    if (key == Qt::Key_NumberSign) return VK_POUND;
    for (const KeyPair& pair : kKeys) {
        if (pair.qtKey == key) return pair.virtualKey;
    }
    return 0;
}
