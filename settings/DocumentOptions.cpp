#include "settings/DocumentOptions.h"

namespace orvex::settings {

const SettingsTable<ChildOptions>& childOptionsTable() {
    using C = ChildOptions;
    static const SettingsTable<C> table("Settings", Numbering::Single, 1, {
        intKey<&C::showCmd>("ShowCmd", 0),
        intKey<&C::defWinSize>("DefWinSize", 0),
        intKey<&C::sizeDefWinX>("SizeDefWinX", 0),
        intKey<&C::sizeDefWinY>("SizeDefWinY", 0),
        intKey<&C::sizeDefCharX>("SizeDefCharX", 80).clamp(1, 2000),
        intKey<&C::sizeDefCharY>("SizeDefCharY", 20).clamp(1, 1000),
        intKey<&C::scrollBarDisp>("ScrollBarDisp", 1),
        intKey<&C::scrollBarDisp2>("ScrollBarDisp2", 0).from("ScrollBarDisp"),
    });
    return table;
}

const SettingsTable<DocumentOptions>& documentOptionsTable() {
    using D = DocumentOptions;
    static const SettingsTable<D> table("Settings", Numbering::Single, 1, {
        intKey<&D::backupMode>("BackupMode", 0),
        strKey<&D::backupPath>("BackupPath").defaultFromFolder(DefaultSource::TempFolder),
        intKey<&D::backupVerLimit>("BackupVerLimit", 3).clamp(0, 9999),
        intKey<&D::saveCR>("SaveCR", 0),
        intKey<&D::saveDelSpc>("SaveDelSpc", 0),
        intKey<&D::saveEOF>("SaveEOF", 0),
        intKey<&D::saveTab>("SaveTab", 0),
        intKey<&D::openFileLock>("OpenFileLock", 0),
        intKey<&D::fullPathDisp>("FullPathDisp", 0),
        intKey<&D::saveDefExt>("SaveDefExt", 0),
        strKey<&D::saveDefExtStr>("SaveDefExtStr", ".txt"),
        intKey<&D::saveDefName>("SaveDefName", 1),
        intKey<&D::saveMess>("SaveMess", 0),
        intKey<&D::saveCmnt>("SaveCmnt", 0),
        intKey<&D::autoKanji>("AutoKanji", 1),
        intKey<&D::saveKanji>("SaveKanji", 0),
        intKey<&D::newKanji>("NewKanji", 1).clamp(1, 7),
        intKey<&D::tagFileSet>("TagFileSet", 1),
        intKey<&D::tagFileWrtProt>("TagFileWrtProt", 0),
        intKey<&D::keepUndo>("KeepUndo", 1),
        intKey<&D::saveInsCR>("SaveInsCR", 0),
        intKey<&D::editEnable>("EditEnable", 1),
        intKey<&D::keepModifyMk>("KeepModifyMk", 1),
        intKey<&D::delZeroFile>("DelZeroFile", 0),
        strKey<&D::titleStr>("TitleStr%d", "").numbered(1, kTitleStrCount),
    });
    return table;
}

}  // namespace orvex::settings
