#include "file/Projectfile.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <new>
#include <optional>
#include <stdexcept>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "drawing/Biaozhu.h"
#include "drawing/Brushrecord.h"
#include "drawing/Displaysettings.h"
#include "drawing/Durinterval_x.h"
#include "drawing/Fenzu.h"
#include "drawing/Fixedlist.h"
#include "drawing/Timedatashowmode.h"
#include "drawing/Tpertgrid.h"
#include "file/Networkrecords.h"
#include "file/Oldlayout.h"
#include "file/Prtstream.h"
#include "gantt/Gantt.h"
#include "model/Numbertext.h"
#include "model/Pertgra.h"
#include "platform/Messagebox.h"
#include "platform/Replacefile.h"
#include "resources/Customstore.h"
#include "resources/Shownresources.h"
#include "schedule/Perttime_out.h"

namespace {

constexpr const char* kWrittenVersion = "1.55";
constexpr int32_t kWrittenLayout = 3;
// Versions above this one carry a layout number.
constexpr double kLastOldVersion = 1.54;
constexpr size_t kTrailerBytes = 4;
// Texts named in the warning about characters code page 936 cannot hold.
constexpr size_t kNamedUnconvertible = 5;

// ---- settings block, layout 3 ---------------------------------------------------

void WriteObjects(TPrtWriter& w, const Tpertgra& net)
{
    w.WriteFontRecord(net.titleFont);
    w.WriteFontRecord(net.workFont);
    w.WriteFontRecord(net.nodeFont);
    WriteDisplayRecord(w, net.displaySettings, net.printPalette, net.screenPalette);
    net.grid->Write(w);
    WriteCustomStore(w, net.customResourceDays);
    WriteShownResources(w, net.shownResources);
    net.liveGantt.Write(w);
    net.ganttPrintPreset.Write(w);
    net.ganttScreenPreset.Write(w);
    net.groups.Write(w);
    WriteBrushRecord(w, net.resourceScreenBrush);
    WriteBrushRecord(w, net.resourcePrintBrush);
    net.timeScale.Write(w);
    WriteRestIntervals(w, net.restIntervals);
    net.timeLabelMode.Write(w);
    WriteAnnotations(w, net.annotations);
}

void ReadObjects(TPrtReader& r, Tpertgra& net)
{
    r.ReadFontRecord(net.titleFont);
    r.ReadFontRecord(net.workFont);
    r.ReadFontRecord(net.nodeFont);
    ReadDisplayRecord(r, net.displaySettings, net.printPalette, net.screenPalette);
    net.grid->Read(r);
    ReadCustomStore(r, net.customResourceDays);
    ReadShownResources(r, net.shownResources);
    net.liveGantt.Read(r);
    net.ganttPrintPreset.Read(r);
    net.ganttScreenPreset.Read(r);
    net.groups.Read(r);
    ReadBrushRecord(r, net.resourceScreenBrush);
    ReadBrushRecord(r, net.resourcePrintBrush);
    net.timeScale.Read(r);
    ReadRestIntervals(r, net.restIntervals);
    net.timeLabelMode.Read(r);
    ReadAnnotations(r, net.annotations);
}

void WriteSettingsBlock(TPrtWriter& w, const Tpertgra& net)
{
    const int32_t* cp = net.colorPairs;
    w.WriteInt32(1);
    w.WriteInt32(1);
    w.WriteInt32List({net.titleGap, net.networkKind, net.showTimeLabels, net.auxiliaryPenWidth,
                      net.suspendedPenWidth, net.reservedInt, net.resourceDrawMode});
    w.WriteInt32(1);
    w.WriteDoubleList({});
    w.WriteInt32(1);
    w.WriteBoolList({net.showTitleAlways, net.showFrame, net.networkView, net.showEndMark,
                     net.showProgressLine});
    w.WriteInt32(1);
    w.WriteInt32List({net.projectStart, net.progressDate, net.showStart, net.showEnd});
    w.WriteInt32(1);
    w.WriteInt32List({net.reservedColorA, net.reservedColorB, net.printTextColor,
                      net.screenTextColor, cp[0], cp[3], cp[1], cp[4], cp[2], cp[5]});
    w.WriteInt32(1);
    w.WriteStringList({net.title, net.fileName});
    w.WriteInt32(1);
    WriteObjects(w, net);
}

// Each section begins with a flag; 0 means the section carries nothing.
bool SectionPresent(TPrtReader& r) { return r.ReadInt32() != 0; }

void ReadSettingsBlock(TPrtReader& r, Tpertgra& net)
{
    if (!SectionPresent(r)) return;
    int32_t* cp = net.colorPairs;
    if (SectionPresent(r))
        AssignByPosition(r.ReadInt32List(),
                         {&net.titleGap, &net.networkKind, &net.showTimeLabels,
                          &net.auxiliaryPenWidth, &net.suspendedPenWidth, &net.reservedInt,
                          &net.resourceDrawMode});
    if (SectionPresent(r)) r.ReadDoubleList();
    if (SectionPresent(r))
        AssignByPosition(r.ReadBoolList(), {&net.showTitleAlways, &net.showFrame,
                                            &net.networkView, &net.showEndMark,
                                            &net.showProgressLine});
    if (SectionPresent(r))
        AssignByPosition(r.ReadInt32List(),
                         {&net.projectStart, &net.progressDate, &net.showStart, &net.showEnd});
    if (SectionPresent(r))
        AssignByPosition(r.ReadInt32List(),
                         {&net.reservedColorA, &net.reservedColorB, &net.printTextColor,
                          &net.screenTextColor, &cp[0], &cp[3], &cp[1], &cp[4], &cp[2], &cp[5]});
    if (SectionPresent(r)) AssignByPosition(r.ReadStringList(), {&net.title, &net.fileName});
    if (SectionPresent(r)) ReadObjects(r, net);
}

// ---- checks after reading ---------------------------------------------------------

// Values that later code divides by or steps with: a file cannot make them
// zero or negative. They go back to their defaults.
void RepairScale(Tlistdurinterval_x& s)
{
    if (!(std::isfinite(s.dayWidth) && s.dayWidth > 0)) s.dayWidth = Tlistdurinterval_x().dayWidth;
    for (const Tdurinterval_x& e : s.intervals)
        if (!std::isfinite(e.startDay) || !std::isfinite(e.endDay) || !std::isfinite(e.width))
            throw TPrtFormatError("time scale span not a number");
}

void RepairGrid(Tpertgrid& g)
{
    if (!(std::isfinite(g.dayStep) && g.dayStep > 0)) g.dayStep = Tpertgrid().dayStep;
}

void RepairDivisors(Tpertgra& net)
{
    if (net.displaySettings.rowHeight <= 0)
        net.displaySettings.rowHeight = TDisplaySettings::Defaults().rowHeight;
    RepairScale(net.timeScale);
    RepairGrid(*net.grid);
    const Tgantt defaults;
    for (Tgantt* g : {&net.liveGantt, &net.ganttPrintPreset, &net.ganttScreenPreset}) {
        if (g->rowHeight <= 0) g->rowHeight = defaults.rowHeight;
        if (g->rowsPerPage <= 0) g->rowsPerPage = defaults.rowsPerPage;
        RepairScale(g->scaleIntervals);
        RepairGrid(g->ruler);
    }
}

// Recalculate's first two steps: auxiliary works re-checked in the order of
// AllWorks, then the topological order and loop check.
void AfterLoad(Tpertgra& net)
{
    net.RecheckAuxiliaries();
    net.Renumber();
}

void ReadBody(TPrtReader& r, Tpertgra& net, TProjectFormat& f)
{
    if (f.version > kLastOldVersion) {
        const int32_t layout = r.ReadInt32();
        f.layout = layout;
        if (layout < 2) throw TPrtFormatError("unknown layout number");
        if (layout == 2) {
            ReadLayout2Body(r, net);
        } else {
            ReadSettingsBlock(r, net);
            ReadNetworkSection(r, net);
        }
    } else {
        f.layout = 1;
        ReadOldBody(r, net, f.version);
    }
    // Old layouts do not carry these; their default is the project start.
    if (f.layout < 3) {
        net.showStart = net.projectStart;
        net.showEnd = net.projectStart;
        if (f.layout == 1 && !(f.version > 1.5)) net.progressDate = net.projectStart;
    }
    RepairDivisors(net);
}

void DropNetwork(Tpertgra& net)
{
    net.order.clear();
    net.selection.clear();
    net.nodePairs.clear();
    net.nodes.clear();
    net.InvalidateStructure();
    net.InvalidateWorkNumbers();
}

uint32_t TrailerOf(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// ---- files ------------------------------------------------------------------------

std::string ReasonOf(int err, bool writing = true)
{
    switch (err) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return "磁盘空间不足";
    case EACCES:
    case EPERM:
        return writing ? "没有写入权限" : "没有读取权限";
    case ENOENT:
    case ENOTDIR:
        return "文件夹不存在";
    case EROFS:
        return "磁盘是只读的";
    case EISDIR:
        return writing ? "同名的文件夹已经存在" : "这是一个文件夹";
    case ENAMETOOLONG:
        return "文件名太长";
    case EIO:
        return writing ? "写入磁盘时出错" : "读取磁盘时出错";
    default:
        return std::strerror(err);
    }
}

// Receives the bytes of a file piece by piece.
using TPut = TFilePut;

// Writes the file through the safe replacement: the target is either the
// old file or the complete new one, and a write-protected file is kept.
bool ReplaceFile(const std::string& path, const std::function<void(const TPut&)>& produce,
                 std::string& reason)
{
    TReplaceOptions options;
    options.durable = true;
    options.keepWriteProtected = true;
    const int err = ReplaceFileWith(path, produce, options);
    if (err != 0) reason = ReasonOf(err);
    return err == 0;
}

// The whole file through put, in pieces of about kChunkBytes once the
// network section is reached; returns the texts code page 936 cannot hold.
std::vector<std::string> WriteProjectChunks(Tpertgra& net, const TPut& put)
{
    constexpr size_t kChunkBytes = size_t(1) << 20;
    TPrtWriter w;
    w.bytes().reserve(kChunkBytes + (size_t(64) << 10));
    size_t handed = 0;
    auto hand = [&](TPrtWriter& x) {
        if (x.size() < kChunkBytes) return;
        put(x.bytes().data(), x.size());
        handed += x.size();
        x.bytes().clear();
    };
    w.WriteString(kWrittenVersion);
    w.WriteInt32(kWrittenLayout);
    WriteSettingsBlock(w, net);
    WriteNetworkSection(w, net, true, hand);
    const size_t total = handed + w.size() + kTrailerBytes;
    if (total > size_t(std::numeric_limits<int32_t>::max()))
        throw std::length_error("project too large for a project file");
    w.WriteInt32(int32_t(total));
    put(w.bytes().data(), w.size());
    return w.unconvertible();
}

// The bytes of a file being read. Large files go into a private anonymous
// mapping that may use huge pages: touching every page of a plain heap
// buffer costs more than reading the file. The file itself is never mapped,
// so another program cutting it short cannot fault the reader.
class TFileBuffer {
public:
    TFileBuffer() = default;
    TFileBuffer(const TFileBuffer&) = delete;
    TFileBuffer& operator=(const TFileBuffer&) = delete;
    ~TFileBuffer()
    {
        if (mapped_) munmap(data_, capacity_);
    }

    // Room for n bytes; false when there is no memory for them.
    bool Reserve(size_t n)
    {
        constexpr size_t kMapFrom = size_t(4) << 20;
        if (n >= kMapFrom) {
            void* p = mmap(nullptr, n, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (p != MAP_FAILED) {
#ifdef MADV_HUGEPAGE
                (void)madvise(p, n, MADV_HUGEPAGE);
#endif
                data_ = static_cast<uint8_t*>(p);
                capacity_ = n;
                mapped_ = true;
                return true;
            }
        }
        try {
            heap_.resize(n);
        } catch (const std::bad_alloc&) {
            return false;
        }
        data_ = heap_.data();
        capacity_ = n;
        return true;
    }
    uint8_t* data() { return data_; }
    size_t capacity() const { return capacity_; }

private:
    std::vector<uint8_t> heap_;
    uint8_t* data_ = nullptr;
    size_t capacity_ = 0;
    bool mapped_ = false;
};

std::string UnconvertibleMessage(const std::vector<std::string>& texts)
{
    std::string m = "以下文字无法用GBK编码保存，已替换为“?”：";
    for (size_t i = 0; i < texts.size() && i < kNamedUnconvertible; ++i) m += "\n" + texts[i];
    if (texts.size() > kNamedUnconvertible)
        m += "\n……（共" + std::to_string(texts.size()) + "处）";
    return m;
}

}  // namespace

double ProjectVersionOf(const std::string& text)
{
    const std::optional<double> v = ParseNumericText(text);
    return v ? *v : 1.0;
}

std::vector<uint8_t> WriteProjectBytes(Tpertgra& net, std::vector<std::string>* unconvertible)
{
    TPrtWriter w;
    // Roughly what a work takes, so that a large plan is not copied while it grows.
    w.bytes().reserve(size_t(64 * 1024) + size_t(net.WorkCount()) * 700 + net.nodes.size() * 60);
    w.WriteString(kWrittenVersion);
    w.WriteInt32(kWrittenLayout);
    WriteSettingsBlock(w, net);
    WriteNetworkSection(w, net, true);
    const size_t total = w.size() + kTrailerBytes;
    if (total > size_t(std::numeric_limits<int32_t>::max()))
        throw std::length_error("project too large for a project file");
    w.WriteInt32(int32_t(total));
    if (unconvertible) *unconvertible = w.unconvertible();
    return std::move(w.bytes());
}

int ReadProjectBytes(Tpertgra& net, const uint8_t* data, size_t size, const std::string& path,
                     TProjectFormat* format)
{
    TProjectFormat local;
    TProjectFormat& f = format ? *format : local;
    f = TProjectFormat();
    TPrtReader r(data, size);
    try {
        if (size < kTrailerBytes || TrailerOf(data + size - kTrailerBytes) != size)
            throw TPrtFormatError("trailer does not hold the file's length");
        r.Truncate(size - kTrailerBytes);
        f.versionText = r.ReadString();
        f.version = ProjectVersionOf(f.versionText);
        net.fileName = path;
        net.hasFile = true;
        net.modified = false;
        ReadBody(r, net, f);
    } catch (const TPrtFormatError& e) {
        f.problem = e.what();
        f.problemOffset = r.position();
    } catch (const std::bad_alloc&) {
        f.problem = "out of memory while reading";
        f.problemOffset = r.position();
    } catch (const std::length_error&) {
        f.problem = "impossible length";
        f.problemOffset = r.position();
    }
    if (!f.problem.empty()) {
        DropNetwork(net);
        ShowPlain(kCorruptFileMessage);
        return 0;
    }
    AfterLoad(net);
    return 1;
}

bool SaveProject(Tpertgra& net, const std::string& path)
{
    const std::string oldName = net.fileName;
    net.fileName = path;
    std::vector<std::string> unconvertible;
    std::string reason;
    try {
        ReplaceFile(
            path, [&](const TPut& put) { unconvertible = WriteProjectChunks(net, put); }, reason);
    } catch (const std::bad_alloc&) {
        reason = "内存不足";
    } catch (const std::length_error&) {
        reason = "工程太大，无法写入一个文件";
    }
    if (!reason.empty()) {
        net.fileName = oldName;
        ShowWarning("保存文件失败：" + reason + "（" + path + "）");
        return false;
    }
    net.hasFile = true;
    net.modified = false;
    if (!unconvertible.empty()) ShowWarning(UnconvertibleMessage(unconvertible));
    return true;
}

int LoadProject(Tpertgra& net, const std::string& path, TProjectFormat* format)
{
    TProjectFormat local;
    TProjectFormat& f = format ? *format : local;
    f = TProjectFormat();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT || err == ENOTDIR) {
            f.problem = "file does not exist";
            ShowWarning("文件不存在：" + path);
        } else {
            f.problem = std::strerror(err);
            ShowWarning("无法打开文件：" + path + "（" + ReasonOf(err, false) + "）");
        }
        return 0;
    }
    struct stat st;
    bool ok = fstat(fd, &st) == 0;
    int err = ok ? 0 : errno;
    if (ok && S_ISDIR(st.st_mode)) {
        ok = false;
        err = EISDIR;
    }
    if (ok && st.st_size > std::numeric_limits<int32_t>::max()) {
        // Longer than any trailer can say: the file cannot be a project file.
        ::close(fd);
        f.problem = "file longer than a project file can be";
        ShowPlain(kCorruptFileMessage);
        return 0;
    }
    TFileBuffer buffer;
    size_t size = 0;
    if (ok && !buffer.Reserve(size_t(st.st_size > 0 ? st.st_size : 0))) {
        ok = false;
        err = ENOMEM;
    }
    // The length known at opening is what is read; a file that changes
    // meanwhile is caught by its trailer.
    while (ok && size < buffer.capacity()) {
        const ssize_t k = ::read(fd, buffer.data() + size, buffer.capacity() - size);
        if (k < 0) {
            if (errno == EINTR) continue;
            ok = false;
            err = errno;
            break;
        }
        if (k == 0) break;
        size += size_t(k);
    }
    ::close(fd);
    if (!ok) {
        f.problem = std::strerror(err);
        ShowWarning("无法读取文件：" + path + "（" + ReasonOf(err, false) + "）");
        return 0;
    }
    return ReadProjectBytes(net, buffer.data(), size, path, &f);
}
