// Recalling a design: the file is read whole into a staged copy of the
// design, checked, fitted to the window and its circles computed there; only
// a file read to its last field, whose design can be fitted and computed,
// changes the design, the window, the caption and the menu.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/GreatCircle.h"
#include "core/NumberText.h"
#include "core/ProjectionTable.h"
#include "core/SmallCircle.h"
#include "designfile/CnfFile.h"
#include "designfile/CnfLayout.h"
#include "designfile/CnfOld.h"
#include "plot/PlotState.h"

namespace tlrx {

namespace {

// No design file comes near this; a larger file is refused before it is read.
constexpr off_t kMaxDesignFileBytes = off_t{16} << 20;
constexpr const char* kTooLarge = "The file is too large for a design file";
constexpr const char* kNotRegularFile = "Not a regular file";

// The design as it will be once the recall succeeds.
struct Staged {
    DesignState d;
    PlotState p;
    SavedWindow w;
    int16_t version = 0;
    OldDrawingArea old;               // files before version 3: the area their fill fraction was made for
    std::string greatCircleEndsAt{};  // CnfRecord::greatCircleEndsAt
};

// What the window fit does to the window.
struct WindowFit {
    enum class Action { Maximize, Restore } action = Action::Maximize;
    float width = 0;  // outer size to restore
    float height = 0;
    float factor = 1;  // FitFactorX and FitFactorY
};

// Refuses what is no regular file: a folder, and a named pipe or a device,
// whose reading would wait for a writer or never end.
void RequireRegularFile(mode_t mode) {
    if (S_ISDIR(mode)) Raise(std::strerror(EISDIR));
    if (!S_ISREG(mode)) Raise(kNotRegularFile);
}

// An open file, closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    const int fd;
};

// The whole file. It is looked at before it is opened, so that a pipe is
// never opened, and opened without waiting, so that one put in the file's
// place meanwhile is refused by the look at what was opened.
std::string ReadWholeFile(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) RequireRegularFile(status.st_mode);
    errno = 0;
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    const int fd = file.fd;
    if (fd < 0) Raise(errno != 0 ? std::strerror(errno) : "File not found");
    if (::fstat(fd, &status) != 0) Raise(std::strerror(errno));
    RequireRegularFile(status.st_mode);
    if (status.st_size > kMaxDesignFileBytes) Raise(kTooLarge);
    std::string bytes;
    char block[65536];
    for (;;) {
        const ssize_t n = ::read(fd, block, sizeof block);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            Raise(std::strerror(errno));
        }
        // A file that grows past the limit while it is read is refused too.
        if (bytes.size() + static_cast<size_t>(n) > static_cast<size_t>(kMaxDesignFileBytes)) Raise(kTooLarge);
        bytes.append(block, static_cast<size_t>(n));
    }
    return bytes;
}

// The version of a file: its header's number times 100; 120 for a file
// without a header.
struct FileVersion {
    int16_t version = 120;
    bool header = false;
};

// Reads the header and the projection name.
FileVersion ReadHeader(ListInput& in, DesignState& d) {
    FileVersion v;
    const auto field = [&in](const char* name, auto op) {
        try {
            return op();
        } catch (const RuntimeError& e) {
            Raise(std::string(e.what()) + " in line " + std::to_string(in.FieldLine()) + ", field 1 (" + name + ")");
        }
    };
    d.ProjName = field("header", [&] { return in.Text(); });
    const std::string& first = d.ProjName;
    if (first.compare(0, 13, "Configuration") == 0 || first.compare(0, 8, "Tellurax") == 0) {
        const std::string last4 = first.size() > 4 ? first.substr(first.size() - 4) : first;
        v.header = true;
        v.version = field("header", [&] { return ToInt16(100 * LeadingNumber(last4)); });
        d.ProjName = field("projection name", [&] { return in.Text(); });
    }
    // The name becomes the caption, which cannot carry a NUL.
    field("projection name", [&] {
        if (d.ProjName.find('\0') != std::string::npos) Raise("Text with a NUL character inside");
    });
    return v;
}

void ReadVersion3(ListInput& in, Staged& s, const DesignWindow&) {
    CnfRecord record{s.d, s.p, s.w};
    ReadCurrentVersion(in, record);
    s.greatCircleEndsAt = std::move(record.greatCircleEndsAt);
}

// The older generations are fitted into the drawing area as it is now.
void ReadOldVersion2(ListInput& in, Staged& s, const DesignWindow& window) {
    CnfRecord record{s.d, s.p, s.w};
    s.old = ReadVersion2(in, s.version, record, window.ScaleWidth(), window.ScaleHeight());
    s.greatCircleEndsAt = std::move(record.greatCircleEndsAt);
}

void ReadOldVersion1(ListInput& in, Staged& s, const DesignWindow& window) {
    CnfRecord record{s.d, s.p, s.w};
    s.old = ReadVersion1(in, s.version, record, window.ScaleWidth(), window.ScaleHeight());
    s.greatCircleEndsAt = std::move(record.greatCircleEndsAt);
}

// The readers of each generation, newest first: a file goes to the first
// whose lowest version it reaches.
struct VersionBranch {
    int16_t from;
    void (*read)(ListInput&, Staged&, const DesignWindow&);
};
constexpr VersionBranch kBranches[] = {
    {300, ReadVersion3},
    {200, ReadOldVersion2},
    {INT16_MIN, ReadOldVersion1},
};

// The map keeps its size relative to the text when a drawing area w0 by h0
// is fitted into one of w1 by h1: the fill fraction follows the fit in the
// direction that limits the map.
void RescaleFillFraction(PlotState& p, const DesignState& d, double w0, double h0, double w1, double h1) {
    const double a0 = CheckedDiv(h0, w0);
    const double a1 = CheckedDiv(h1, w1);
    const double r = CheckedDiv(a0, a1);
    const double m = CheckedDiv(d.MapYMax - d.MapYMin, d.MapXMax - d.MapXMin);
    const auto f0 = static_cast<float>(a0);
    const auto f1 = static_cast<float>(a1);
    const auto fm = static_cast<float>(m);
    if (r >= 1) {
        if (f0 > fm) p.MapFillFraction *= f1 >= fm ? a1 / a0 : w0 * m / h0;
    } else {
        if (f0 < fm) p.MapFillFraction *= f1 <= fm ? a0 / a1 : h0 / m / w0;
    }
    if (!std::isfinite(p.MapFillFraction)) Raise(kOverflow);
}

// The window fit of a version 3 design, computed without touching the window:
// a maximised window's drawing area is the screen's full-screen area.
WindowFit FitWindow(Staged& s) {
    DesignState& d = s.d;
    const SavedWindow& w = s.w;
    const float pxW = w.ScaleWidth / w.TwipsPerPixelX;
    const float pxH = w.ScaleHeight / w.TwipsPerPixelY;
    const double fullW = d.FullScreenWidthPx;
    const double fullH = d.FullScreenHeightPx;
    if (double(pxW) == fullW && double(pxH) == fullH) return {};
    if (pxW <= fullW && pxH <= fullH) return {WindowFit::Action::Restore, w.Width, w.Height};

    // The saved area is scaled by the smaller of W1 / W0 and H1 / H0 and
    // centred where it falls short.
    const double w0 = w.ScaleWidth;
    const double h0 = w.ScaleHeight;
    const double w1 = static_cast<float>(fullW * d.TwipsPerPixelX);
    const double h1 = static_cast<float>(fullH * d.TwipsPerPixelY);
    const double a0 = h0 / w0;
    const double a1 = CheckedDiv(h1, w1);
    const double r = CheckedDiv(a0, a1);
    float factor = 0;
    int32_t offsetX = 0;
    int32_t offsetY = 0;
    if (r >= 1) {
        factor = static_cast<float>(h1 / h0);
        offsetX = ToInt32((w1 - w0 * factor) / 2);
    } else {
        factor = static_cast<float>(h1 * r / h0);
        offsetY = ToInt32(h1 * (1 - r) / 2);
    }

    PlotState& p = s.p;
    for (int i = 1; i <= d.NumInputFiles; ++i) {
        auto& size = d.InputFileLabelFontSize(i);
        size = ToInt16(size * double(factor));
    }
    for (int32_t i = 1; i <= d.NumTextItems; ++i) {
        const auto k = static_cast<size_t>(i);
        TextItem& item = d.TextItems[k];
        item.TextItemFontSize = ToInt16(item.TextItemFontSize * double(factor));
        item.TextItemX = ToInt32(double(factor) * item.TextItemX + offsetX);
        item.TextItemY = ToInt32(double(factor) * item.TextItemY + offsetY);
        item.TextItemCharWidth = ToInt16(item.TextItemCharWidth * double(factor));
        item.TextItemAscent = ToInt16(item.TextItemAscent * double(factor));
        item.TextItemDescent = ToInt16(item.TextItemDescent * double(factor));
    }
    RescaleFillFraction(p, d, w0, h0, w1, h1);
    return {WindowFit::Action::Maximize, 0, 0, factor};
}

// Symbol radii are scaled by the fit and become whole pixels, at least one.
void FitRadii(DesignState& d, float factor) {
    for (int i = 1; i <= d.NumInputFiles; ++i)
        for (int j = 1; j <= d.NumGeoFeatures; ++j) {
            auto& radius = d.FeatureSymbolRadius(j, i);
            int16_t n = ToInt16(radius * double(factor) / double(d.TwipsPerPixelY));
            if (n == 0) n = 1;
            radius = ToInt16(n * double(d.TwipsPerPixelY));
        }
}

void DerivedValues(DesignState& d) {
    d.CentLatRad = d.CentLat * d.DegToRad;
    d.CosCentLat = std::cos(d.CentLatRad);
    d.SinCentLat = std::sin(d.CentLatRad);
    d.CosAzRange = std::cos(d.AzRangeSec * d.DegToRad / d.SecPerDeg);
    // The standard parallels read belong to this projection.
    if (StdParallelCount(d.ProjCode) > 0) d.StdParProjCode = d.ProjCode;
}

}  // namespace

bool CnfRead(DesignWindow& window) {
    DesignState& live = Design();
    const std::string savedBefore = live.SavedCaption;
    live.SavedCaption = window.Caption();
    window.SetCaption("Tellurax: reading configuration file");
    try {
        const std::string bytes = ReadWholeFile(Plot().CnfFileName);
        ListInput in(bytes);
        Staged s{live, Plot(), {}, 0, {}};
        const FileVersion v = ReadHeader(in, s.d);
        s.version = v.version;
        for (const VersionBranch& branch : kBranches) {
            if (v.version < branch.from) continue;
            branch.read(in, s, window);
            break;
        }
        const bool current = v.version >= 300;
        WindowFit fit;
        try {
            if (current) {
                fit = FitWindow(s);
                FitRadii(s.d, fit.factor);
            } else {
                // Older designs leave the window as it is.
                RescaleFillFraction(s.p, s.d, s.old.width, s.old.height, window.ScaleWidth(), window.ScaleHeight());
                MoveOldFeatureRows(s.d);
                // Radii of zero (feature classes no old row reaches) would
                // become a pixel when the design saved is recalled: they
                // become one now, so that it recalls as it was saved.
                FitRadii(s.d, 1);
            }
        } catch (const RuntimeError& e) {
            Raise(std::string(e.what()) + " in fitting the design to this window");
        }
        DerivedValues(s.d);
        // The circles are computed on the staged copy: a design whose
        // circles cannot be computed is refused before anything changes.
        // Files of version 1.31 and before hold no great circle; only the
        // current version holds a small circle. The great circle's ends are
        // taken as the dialog stores them; a route they cannot give is named
        // by the field of the end longitude.
        const auto compute = [](auto op, const std::string& where) {
            try {
                op();
            } catch (const RuntimeError& e) {
                Raise(std::string(e.what()) + where);
            }
        };
        if (v.version > 131) {
            SettleGreatCircleEnds(s.d);
            if (s.d.GcDefined) compute([&s] { ComputeGreatCircle(s.d); }, s.greatCircleEndsAt);
        }
        if (current && s.d.ScDefined) compute([&s] { ComputeSmallCircles(s.d); }, " in computing the small circles");
        // Whatever an older file held, the design recalled can be saved again.
        if (!current) WriteCurrentVersion({s.d, s.p, s.w});

        // From here on nothing can fail: the recall takes effect.
        if (current) {
            if (fit.action == WindowFit::Action::Restore) {
                window.Restore(fit.width, fit.height);
            } else {
                window.Maximize();
            }
        }
        live = std::move(s.d);
        Plot() = std::move(s.p);
        PlotState& p = Plot();
        if (current && p.PrnDlg && s.w.Orientation != 0 && p.PrnDlg->Settings.Orientation != s.w.Orientation)
            p.PrnDlg->Settings.Orientation = s.w.Orientation;
        window.SetCaption("Tellurax: " + live.ProjName + " projection");
        window.MarkProjection(live.ProjCode);
        return true;
    } catch (const RuntimeError& e) {
        ShowProcError("CnfRead", e.what());
    } catch (const std::bad_alloc&) {
        ShowProcError("CnfRead", "Out of memory");
    }
    window.SetCaption(live.SavedCaption);
    live.SavedCaption = savedBefore;
    return false;
}

}  // namespace tlrx
