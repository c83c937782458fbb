#pragma once
// File dialogs for tests: each dialog shown is logged with its settings and
// answered from a queue of choices.

#include <deque>
#include <string>
#include <vector>

#include "platform/FileDialog.h"

namespace tlrx {

// One answer of a scripted dialog.
struct FileDialogChoice {
    int32_t error = 0;
    std::string fileName;

    // The user chose this name (returned exactly as given: the dialog adds
    // no extension of its own).
    static FileDialogChoice Name(std::string name) { return {0, std::move(name)}; }
    static FileDialogChoice Cancel() { return {kFileDialogCancel, {}}; }
    // The dialog failed with this error number.
    static FileDialogChoice Error(int32_t number) { return {number, {}}; }
};

// Answers from the queue (Cancel when it is empty) and keeps a log of every
// dialog shown.
class ScriptedFileDialog : public FileDialogService {
public:
    FileDialogResult Show(const FileDialogRequest& request) override;

    std::deque<FileDialogChoice> choices;
    std::vector<FileDialogRequest> log;
};

// Installs a ScriptedFileDialog for the lifetime of the object; the service
// installed before comes back afterwards.
class ScopedScriptedFileDialog : public ScriptedFileDialog {
public:
    ScopedScriptedFileDialog() : previous_(SetFileDialogService(this)) {}
    ~ScopedScriptedFileDialog() override { SetFileDialogService(previous_); }
    ScopedScriptedFileDialog(const ScopedScriptedFileDialog&) = delete;
    ScopedScriptedFileDialog& operator=(const ScopedScriptedFileDialog&) = delete;

private:
    FileDialogService* previous_;
};

}  // namespace tlrx
