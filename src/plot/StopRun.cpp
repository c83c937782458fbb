#include "plot/StopRun.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/export/WmfExport.h"

namespace tlrx {

namespace {

// Deletes the ASCII files of the run other than `except` (handled by the
// caller); returns those deleted and those that could not be.
void DeleteRunAsciiFiles(const std::string& except, std::vector<std::string>& deleted,
                         std::vector<std::string>& kept) {
    PlotState& p = Plot();
    for (const std::string& name : p.RunAsciiFiles) {
        if (name == except) continue;
        std::error_code ec;
        if (!std::filesystem::is_regular_file(name, ec)) continue;
        if (std::filesystem::remove(name, ec) && !ec) deleted.push_back(name);
        else kept.push_back(name);
    }
    p.RunAsciiFiles.clear();
}

}  // namespace

void StopRun() {
    PlotState& p = Plot();
    p.OutAscii = p.OutCgm = p.OutDxf = p.OutWmf = p.OutGc = p.OutSc = false;

    // The partial export is deleted, so whatever its last write did no longer matters.
    Files().CloseOutputQuietly();
    Files().CloseInput();
    // The WMF export is written only when its recording is saved at the end
    // of the run: while the recording is open, a file of that name is not
    // this run's (it may be the finished export of an earlier run).
    const bool recordingOnly = p.MetafileDC != nullptr && p.CurOutFile == p.WmfFileName;
    if (!p.CurOutFile.empty() && !recordingOnly) {
        const std::filesystem::path partial(p.CurOutFile);
        std::error_code ec;
        if (std::filesystem::exists(partial, ec)) {
            std::filesystem::remove(partial, ec);
            // A partial file left behind must not pass for a finished export.
            if (ec) {
                ShowProcError("Tellurax: Form_KeyDown", "The partly written file " + p.CurOutFile +
                                                            " could not be deleted: " + ec.message());
            }
        }
    }
    // The ASCII files finished before the stop belong to the unfinished export too.
    std::vector<std::string> deleted, kept;
    DeleteRunAsciiFiles(p.CurOutFile, deleted, kept);
    for (const std::string& name : kept)
        ShowProcError("Tellurax: Form_KeyDown", "The file " + name + " of the stopped export could not be deleted.");
    p.CurOutFile.clear();

    Design().PlotStopText = "Escape";
    p.NewPolyline = true;
    p.CgmLenPos = 0;
    p.CgmBufLen = 0;
    p.CgmPos = 1;
    DiscardMetafileOnStop();
}

std::string DiscardFailedExport() {
    PlotState& p = Plot();
    const bool writingFile = p.OutAscii || p.OutCgm || p.OutDxf;
    const bool exporting = writingFile || p.OutWmf;
    Files().CloseOutputQuietly();
    if (!exporting) return {};

    std::string note;
    if (writingFile && !p.CurOutFile.empty()) {
        const std::filesystem::path partial(p.CurOutFile);
        std::error_code ec;
        if (std::filesystem::is_regular_file(partial, ec)) {
            std::filesystem::remove(partial, ec);
            note = "\n\nThe partly written file " + p.CurOutFile +
                   (ec ? " could not be deleted." : " was deleted.");
        }
    }
    std::vector<std::string> deleted, kept;
    DeleteRunAsciiFiles(p.CurOutFile, deleted, kept);
    if (!deleted.empty()) {
        note += "\n\nThe files the export wrote before were deleted too:";
        for (const std::string& name : deleted) note += "\n" + name;
    }
    for (const std::string& name : kept) note += "\n\nThe file " + name + " could not be deleted.";
    p.OutAscii = p.OutCgm = p.OutDxf = p.OutWmf = false;
    p.CurOutFile.clear();
    p.PolyPointCount = 0;
    p.NewPolyline = true;
    p.CgmLenPos = 0;
    p.CgmBufLen = 0;
    p.CgmPos = 1;
    return note;
}

}  // namespace tlrx
