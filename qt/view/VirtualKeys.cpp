#include "qt/view/VirtualKeys.h"

namespace orvex::qt {

namespace {

uint16_t keypadKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<uint16_t>(kVkNumpad0 + (key - Qt::Key_0));
    switch (key) {
        case Qt::Key_Asterisk: return kVkMultiply;
        case Qt::Key_Plus: return kVkAdd;
        case Qt::Key_Enter: return kVkSeparator;
        case Qt::Key_Minus: return kVkSubtract;
        case Qt::Key_Period:
        case Qt::Key_Comma: return kVkDecimal;
        case Qt::Key_Slash: return kVkDivide;
        default: return 0;
    }
}

// Punctuation and shifted symbols, by the key that types them on a
// Japanese keyboard.
uint16_t symbolKey(int key) {
    switch (key) {
        case Qt::Key_Exclam: return '1';
        case Qt::Key_QuoteDbl: return '2';
        case Qt::Key_NumberSign: return '3';
        case Qt::Key_Dollar: return '4';
        case Qt::Key_Percent: return '5';
        case Qt::Key_Ampersand: return '6';
        case Qt::Key_Apostrophe: return '7';
        case Qt::Key_ParenLeft: return '8';
        case Qt::Key_ParenRight: return '9';
        case Qt::Key_Colon:
        case Qt::Key_Asterisk: return 0xBA;
        case Qt::Key_Semicolon:
        case Qt::Key_Plus: return 0xBB;
        case Qt::Key_Comma:
        case Qt::Key_Less: return 0xBC;
        case Qt::Key_Minus:
        case Qt::Key_Equal: return 0xBD;
        case Qt::Key_Period:
        case Qt::Key_Greater: return 0xBE;
        case Qt::Key_Slash:
        case Qt::Key_Question: return 0xBF;
        case Qt::Key_At:
        case Qt::Key_QuoteLeft: return 0xC0;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft: return 0xDB;
        case Qt::Key_Backslash:
        case Qt::Key_yen:
        case Qt::Key_Bar: return 0xDC;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight: return 0xDD;
        case Qt::Key_AsciiCircum:
        case Qt::Key_AsciiTilde: return 0xDE;
        case Qt::Key_Underscore: return 0xE2;
        default: return 0;
    }
}

}  // namespace

uint16_t toVirtualKey(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        if (uint16_t k = keypadKey(key)) return k;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<uint16_t>(key);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<uint16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<uint16_t>(kVkF1 + (key - Qt::Key_F1));
    switch (key) {
        case Qt::Key_Backspace: return kVkBack;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return kVkTab;  // Shift+Tab arrives as Backtab
        case Qt::Key_Return:
        case Qt::Key_Enter: return kVkReturn;
        case Qt::Key_Shift: return kVkShift;
        case Qt::Key_Control: return kVkControl;
        case Qt::Key_Alt: return kVkMenu;
        case Qt::Key_Pause: return kVkPause;
        case Qt::Key_CapsLock: return kVkCapital;
        case Qt::Key_Escape: return kVkEscape;
        case Qt::Key_Space: return kVkSpace;
        case Qt::Key_PageUp: return kVkPrior;
        case Qt::Key_PageDown: return kVkNext;
        case Qt::Key_End: return kVkEnd;
        case Qt::Key_Home: return kVkHome;
        case Qt::Key_Left: return kVkLeft;
        case Qt::Key_Up: return kVkUp;
        case Qt::Key_Right: return kVkRight;
        case Qt::Key_Down: return kVkDown;
        case Qt::Key_Insert: return kVkInsert;
        case Qt::Key_Delete: return kVkDelete;
        case Qt::Key_Menu: return kVkApps;
        default: break;
    }
    return symbolKey(key);
}

}  // namespace orvex::qt
