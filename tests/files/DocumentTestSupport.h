#pragma once
// A document with its file side on the fake platform, the settings at their
// defaults and a trash inside the test's folder.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "common/codepage/Cp932.h"
#include "files/DocumentFile.h"
#include "files/FileTestSupport.h"
#include "files/FreedesktopTrash.h"
#include "settings/Settings.h"
#include "support/FakePlatform.h"
#include "text/CLuDoc.h"

namespace orvex::files::test {

inline std::string sj(std::string_view utf8) { return cp932::fromUtf8(utf8); }

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() : settings(environment()), trash(dir.file("share")) {
        settings.document.backupPath.clear();
        create();
    }

    settings::SettingsEnvironment environment() {
        settings::SettingsEnvironment env;
        env.tempFolder = dir.path();
        env.homeFolder = dir.path();
        return env;
    }

    DocumentFileServices services() {
        DocumentFileServices s = documentFileServices(settings, &trash);
        s.showInViewer = [this](const std::string& p) { viewed.push_back(p); };
        s.clock = [this] { return now; };
        return s;
    }

    // A fresh document and file side (the settings stay).
    void create() {
        file.reset();
        doc = std::make_unique<CLuDoc>(fake.platform());
        file = std::make_unique<DocumentFile>(*doc, services());
    }

    // Writes the bytes to a file of the test folder and opens it.
    bool openBytes(const std::string& name, const std::string& bytes, const OpenOptions& options = {}) {
        writeFile(dir.file(name), bytes);
        return file->open(dir.file(name), options);
    }
    std::string text() const { return std::string(doc->text().view()); }
    // Saves under the document's own name and reads the file back.
    std::string saved() {
        EXPECT_TRUE(file->saveDocument(file->path()));
        return readFile(file->path());
    }
    // Types at the end of the text as a view would (recorded).
    void typeAtEnd(const std::string& sjis) {
        doc->insertRecordedAt(doc->text().length(), sjis.data(), static_cast<int32_t>(sjis.size()), 1);
    }

    TempDir dir;
    orvex::test::FakePlatform fake;
    settings::Settings settings;
    FreedesktopTrash trash;
    std::time_t now = 1700000000;  // 2023-11-14
    std::vector<std::string> viewed;
    std::unique_ptr<CLuDoc> doc;
    std::unique_ptr<DocumentFile> file;
};

}  // namespace orvex::files::test
