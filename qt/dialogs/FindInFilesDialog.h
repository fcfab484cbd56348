#pragma once
// The dialog "ﾌｧｲﾙから文字列の検索": the search string with its history,
// the folder ("検索ﾊﾟｽ(&Q)：", with "参照(&R)..." to browse) and the file
// types ("ﾌｧｲﾙの種類(&T)：") with theirs, the search options and the three
// find-in-files options, "検索(&F)" (greyed out while the string is empty)
// and Cancel.
#include <QDialog>

#include "search/SearchDialogs.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace orvex::qt {

class HistoryCombo;
class SearchOptionBoxes;

class FindInFilesDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "ﾌｧｲﾙから文字列の検索";

    FindInFilesDialog(const search::FindInFilesDialogData& data, QWidget* parent = nullptr);

    // The edited data, after exec() returned Accepted.
    search::FindInFilesDialogData data() const;

    HistoryCombo* searchBox() const { return m_text; }
    QComboBox* folderBox() const { return m_folder; }
    HistoryCombo* filterBox() const { return m_filter; }
    QPushButton* findButton() const { return m_find; }

private:
    void browse();
    void updateButtons();

    search::FindInFilesDialogData m_data;
    HistoryCombo* m_text = nullptr;
    QComboBox* m_folder = nullptr;
    HistoryCombo* m_filter = nullptr;
    SearchOptionBoxes* m_options = nullptr;
    QCheckBox* m_subFolders = nullptr;
    QCheckBox* m_openDocuments = nullptr;
    QCheckBox* m_onlyOne = nullptr;
    QPushButton* m_find = nullptr;
};

}  // namespace orvex::qt
