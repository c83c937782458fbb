#pragma once
// The surroundings of a design file test: fresh states, scripted boxes and
// printers (TlrxTest), a fake main window, the hand-made fixture files, and
// the design as a file would hold it, to see whether anything changed.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "designfile/CnfFile.h"
#include "designfile/CnfLayout.h"
#include "support/FakeDesignWindow.h"
#include "support/TestFixture.h"

namespace tlrx::test {

class CnfTest : public TlrxTest {
protected:
    CnfTest() : TlrxTest(std::filesystem::path(TLRX_TEST_OUT_DIR) / "cnf-files") {}

    static std::string FixturePath(const std::string& name) {
        return std::string(TLRX_TEST_DATA_DIR) + "/fixtures/" + name;
    }
    static std::string Fixture(const std::string& name) { return Contents(FixturePath(name)); }

    // The fixture's lines (without their line ends) and a file made of lines.
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        size_t at = 0;
        while (at < text.size()) {
            const size_t end = text.find("\r\n", at);
            lines.push_back(text.substr(at, end - at));
            at = end + 2;
        }
        return lines;
    }
    static std::string Join(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& l : lines) text += l + "\r\n";
        return text;
    }

    bool Recall(const std::string& path) {
        Plot().CnfFileName = path;
        return CnfRead(window);
    }
    // Writes text as a file of the test's folder and recalls it.
    bool RecallText(const std::string& text, const std::string& name = "recalled.cnf") {
        Put(Path(name), text);
        return Recall(Path(name));
    }
    bool Save(const std::string& path) {
        Plot().CnfFileName = path;
        return CnfSave(window);
    }
    // What saving the design now would write.
    std::string SaveText() {
        const std::string path = Path("snapshot.cnf");
        Plot().CnfFileName = path;
        SavedWindow w;
        return WriteCurrentVersion({Design(), Plot(), w});
    }

    FakeDesignWindow window;
};

}  // namespace tlrx::test
