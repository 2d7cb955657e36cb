#include "file/Networkrecords.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_map>
#include <vector>

#include "drawing/Fixedlist.h"
#include "file/Prtstream.h"
#include "model/Pertgra.h"
#include "schedule/Perttime_out.h"
#include "schedule/Vqtime.h"

namespace {

constexpr int32_t kRecordVersion = 2;

// Shortest stored forms, used to bound counts against the bytes left.
constexpr size_t kNodeRecordBytes = 50;
constexpr size_t kPlaceholderBytes = 4;
constexpr size_t kMinResourceBytes = 4;        // a lone version too old to carry more
constexpr size_t kMinOldResourceBytes = 32;    // 4 strings and 4 float32, all empty
constexpr size_t kMinIntervalBytes = 8;        // int32 1 and an empty list

// Times and durations are days from the project start; a century either way
// is far beyond any plan, and anything further (or not a number) is damage.
constexpr double kMaxDays = 36500.0;

void CheckDays(double t, const char* what)
{
    if (!std::isfinite(t) || std::fabs(t) > kMaxDays) throw TPrtFormatError(what);
}

// Shown flags are kept in the order ES, EF, LS, LF, TF, FF; the file holds
// them as ES, LS, EF, LF, TF, FF.
constexpr int kShownOfFile[6] = {0, 2, 1, 3, 4, 5};

void ReadNodeFields(TPrtReader& r, Tvertex& v, bool& hasWorks)
{
    v.id = r.ReadInt32();
    v.earliest = r.ReadFloat();
    v.latest = r.ReadFloat();
    v.time = r.ReadFloat();
    v.row = r.ReadInt32();
    v.xOffset = r.ReadInt32();
    v.inCount = r.ReadInt32();
    v.outCount = r.ReadInt32();
    v.critical = r.ReadByte();
    v.x = r.ReadInt32();
    v.y = r.ReadInt32();
    hasWorks = r.ReadPlaceholder();
    v.joint = r.ReadByte();
}

TWorkLinks ReadWorkHead(TPrtReader& r, Tedge& e)
{
    r.ReadPlaceholder();  // toNode: resolved from toNodeId
    e.toNodeId = r.ReadInt32();
    r.ReadPlaceholder();  // fromNode: the node that holds the work
    for (int32_t& g : e.lineGeom) g = r.ReadInt32();
    e.row = r.ReadInt32();
    for (int32_t& g : e.nameGeom) g = r.ReadInt32();
    TWorkLinks l;
    l.nextWork = r.ReadPlaceholder();
    l.nextSegment = r.ReadPlaceholder();
    e.isContinuation = r.ReadByte();
    return l;
}

void ReadLabelFields(TPrtReader& r, TWorkTimeData& t)
{
    t.anchorX = r.ReadDouble();
    t.anchorY = r.ReadDouble();
    t.spanX = r.ReadDouble();
    t.reservedGeom = r.ReadDouble();
    r.ReadFontBody(t.font);
    t.frameColor = r.ReadInt32();
    t.fillColor = r.ReadInt32();
    for (std::string& s : t.texts) s = r.ReadString();
    for (int k = 0; k < 6; ++k) t.shown[size_t(kShownOfFile[k])] = r.ReadByte();
}

void ReadCustomFlags(TPrtReader& r, Tworkdata& d)
{
    d.useCustom = r.ReadByte();
    d.useCustomWidth = r.ReadByte();
    d.useCustomColor = r.ReadByte();
    d.useCustomStyle = r.ReadByte();
}

// The works of one node: records follow while the last one says another
// follows. Each work is linked into the node before it is read, so that the
// node owns it whatever the reader meets.
template <class ReadWork>
void ReadNodeWorks(Tvertex& node, bool hasWorks, std::vector<char>& segmented, ReadWork readWork)
{
    if (!hasWorks) return;
    Tedge* tail = nullptr;
    for (;;) {
        auto* e = new Tedge;
        if (tail) tail->nextWork = e;
        else node.firstWork = e;
        tail = e;
        const TWorkLinks l = readWork(*e);
        segmented.push_back(l.nextSegment ? 1 : 0);
        if (!l.nextWork) return;
    }
}

void CheckNode(const Tvertex& v)
{
    CheckDays(v.time, "node time out of range");
    CheckDays(v.earliest, "node time out of range");
    CheckDays(v.latest, "node time out of range");
}

void CheckWork(const Tedge& e)
{
    const Tworkdata& d = *e.data;
    CheckDays(d.duration, "work time out of range");
    CheckDays(d.start, "work time out of range");
    CheckDays(d.es, "work time out of range");
    CheckDays(d.ls, "work time out of range");
    if (!std::isfinite(d.progress)) throw TPrtFormatError("work progress not a number");
    for (const Trecsource& res : d.resources)
        for (const Trecsource* p = &res; p; p = p->next.get()) {
            CheckDays(p->startDay, "resource day out of range");
            CheckDays(p->endDay, "resource day out of range");
        }
}

// After all nodes are read: every work's fromNode is the node that holds it,
// its toNode the first node in storage order with its toNodeId, and a work
// whose next-segment placeholder was set continues in the last continuation
// of its end node's list. The stored counts must agree with these links.
// `segmented` holds the placeholders in reading order (storage order of the
// nodes, list order inside).
void LinkNetwork(Tpertgra& net, const std::vector<char>& segmented)
{
    const size_t n = net.nodes.size();
    std::unordered_map<int32_t, int32_t> slotOfId;
    slotOfId.reserve(n);
    for (size_t i = 0; i < n; ++i) slotOfId.try_emplace(net.nodes[i]->id, int32_t(i));

    std::vector<int32_t> in(n, 0);
    std::vector<int32_t> out(n, 0);
    std::vector<Tedge*> lastContinuation(n, nullptr);
    std::vector<int32_t> toSlot;
    toSlot.reserve(segmented.size());
    for (size_t i = 0; i < n; ++i) {
        Tvertex* v = net.nodes[i].get();
        CheckNode(*v);
        for (Tedge* e = v->firstWork; e; e = e->nextWork) {
            CheckWork(*e);
            e->fromNode = v;
            auto it = slotOfId.find(e->toNodeId);
            if (it == slotOfId.end()) throw TPrtFormatError("work ends at a node that does not exist");
            e->toNode = net.nodes[size_t(it->second)].get();
            toSlot.push_back(it->second);
            ++out[i];
            ++in[size_t(it->second)];
            if (e->isContinuation) lastContinuation[i] = e;
        }
    }
    for (size_t i = 0; i < n; ++i) {
        const Tvertex& v = *net.nodes[i];
        if (v.inCount != in[i] || v.outCount != out[i])
            throw TPrtFormatError("node counts disagree with the works");
    }
    size_t k = 0;
    for (size_t i = 0; i < n; ++i)
        for (Tedge* e = net.nodes[i]->firstWork; e; e = e->nextWork, ++k)
            if (segmented[k]) e->nextSegment = lastContinuation[size_t(toSlot[k])];
    net.InvalidateStructure();
    net.InvalidateWorkNumbers();
}

template <class ReadOne>
void ReadNodes(Tpertgra& net, size_t count, ReadOne readOne)
{
    std::vector<char> segmented;
    net.nodes.reserve(net.nodes.size() + count);
    for (size_t i = 0; i < count; ++i) {
        auto* v = new Tvertex;
        net.nodes.emplace_back(v);
        readOne(*v, segmented);
    }
    LinkNetwork(net, segmented);
}

void ReadCurrentNodes(TPrtReader& r, Tpertgra& net)
{
    // Each node takes its placeholder and at least its own record.
    const int32_t count = r.ReadCount(kPlaceholderBytes + kNodeRecordBytes);
    for (int32_t i = 0; i < count; ++i) r.ReadPlaceholder();
    ReadNodes(net, size_t(count), [&r](Tvertex& v, std::vector<char>& segmented) {
        const bool hasWorks = ReadNodeRecord(r, v);
        ReadNodeWorks(v, hasWorks, segmented, [&r](Tedge& e) { return ReadWorkRecord(r, e); });
    });
    // The network section ends the body: bytes left before the trailer mean
    // the node count does not account for its section (a count of 0 over a
    // saved plan would otherwise open as an empty project).
    if (r.remaining() != 0) throw TPrtFormatError("node count does not account for the network section");
}

}  // namespace

// ---- nodes --------------------------------------------------------------------

void WriteNodeRecord(TPrtWriter& w, const Tvertex& v, int32_t id)
{
    w.WriteInt32(kRecordVersion);
    w.WriteInt32(id);
    w.WriteFloat(v.earliest);
    w.WriteFloat(v.latest);
    w.WriteFloat(v.time);
    w.WriteInt32(v.row);
    w.WriteInt32(v.xOffset);
    w.WriteInt32(v.inCount);
    w.WriteInt32(v.outCount);
    w.WriteByte(v.critical);
    w.WriteInt32(v.x);
    w.WriteInt32(v.y);
    w.WritePlaceholder(v.firstWork != nullptr);
    w.WriteByte(v.joint);
}

bool ReadNodeRecord(TPrtReader& r, Tvertex& v)
{
    if (r.ReadInt32() < kRecordVersion) return false;
    bool hasWorks = false;
    ReadNodeFields(r, v, hasWorks);
    return hasWorks;
}

bool ReadNodeRecordOld(TPrtReader& r, Tvertex& v)
{
    bool hasWorks = false;
    ReadNodeFields(r, v, hasWorks);
    return hasWorks;
}

// ---- works --------------------------------------------------------------------

void WriteWorkRecord(TPrtWriter& w, const Tedge& e, int32_t toNodeId)
{
    w.WriteInt32(kRecordVersion);
    w.WritePlaceholder(e.toNode != nullptr);
    w.WriteInt32(toNodeId);
    w.WritePlaceholder(e.fromNode != nullptr);
    for (int32_t g : e.lineGeom) w.WriteInt32(g);
    w.WriteInt32(e.row);
    for (int32_t g : e.nameGeom) w.WriteInt32(g);
    w.WritePlaceholder(e.nextWork != nullptr);
    w.WritePlaceholder(e.nextSegment != nullptr);
    w.WriteByte(e.isContinuation);
    WriteWorkData(w, *e.data);
    w.WriteInt32(e.labelDx);
    w.WriteInt32(e.labelDy);
    WriteTimeLabel(w, e.timeLabel);
}

TWorkLinks ReadWorkRecord(TPrtReader& r, Tedge& e)
{
    if (r.ReadInt32() < kRecordVersion) return {};
    const TWorkLinks l = ReadWorkHead(r, e);
    ReadWorkData(r, *e.data);
    e.labelDx = r.ReadInt32();
    e.labelDy = r.ReadInt32();
    ReadTimeLabel(r, e.timeLabel);
    return l;
}

TWorkLinks ReadWorkRecordOld(TPrtReader& r, Tedge& e, double version)
{
    const TWorkLinks l = ReadWorkHead(r, e);
    ReadWorkDataOld(r, *e.data, version);
    if (version > 1.529) {
        e.labelDx = r.ReadInt32();
        e.labelDy = r.ReadInt32();
        ReadTimeLabelOld(r, e.timeLabel);
    }
    return l;
}

// ---- work data ----------------------------------------------------------------

void WriteWorkData(TPrtWriter& w, const Tworkdata& d)
{
    w.WriteInt32(kRecordVersion);
    w.WriteString(d.name);
    w.WriteFontRecord(d.font);
    w.WriteByte(d.useCustom);
    w.WriteByte(d.useCustomWidth);
    w.WriteByte(d.useCustomColor);
    w.WriteByte(d.useCustomStyle);
    w.WriteInt32(d.lineWidth);
    w.WriteInt32(d.lineColor);
    w.WriteString(d.lineStyle);
    w.WriteInt32(d.placeMode);
    w.WriteInt32(d.namePlace);
    w.WriteFloat(d.duration);
    w.WriteString(d.kind);
    w.WriteFloat(d.es);
    w.WriteFloat(d.ls);
    w.WriteFloat(d.start);
    w.WriteByte(d.critical);
    w.WriteString(d.code);
    w.WriteString(d.groupName);
    w.WriteInt32(d.groupNo);
    w.WriteDouble(d.quantity);
    w.WriteString(d.unit);
    w.WriteInt32(int32_t(d.resources.size()));
    for (const Trecsource& res : d.resources) res.Write(w);
    w.WriteString(d.category);
    w.WriteString(d.reservedText);
    w.WriteDouble(d.reservedA);
    w.WriteDouble(d.reservedB);
    w.WriteInt32(d.workNo);
    w.WriteDouble(d.progress);
}

void ReadWorkData(TPrtReader& r, Tworkdata& d)
{
    if (r.ReadInt32() < kRecordVersion) return;
    d.name = r.ReadString();
    r.ReadFontRecord(d.font);
    ReadCustomFlags(r, d);
    d.lineWidth = r.ReadInt32();
    d.lineColor = r.ReadInt32();
    d.lineStyle = r.ReadString();
    d.placeMode = r.ReadInt32();
    d.namePlace = r.ReadInt32();
    d.duration = r.ReadFloat();
    d.kind = r.ReadString();
    d.es = r.ReadFloat();
    d.ls = r.ReadFloat();
    d.start = r.ReadFloat();
    d.critical = r.ReadByte();
    d.code = r.ReadString();
    d.groupName = r.ReadString();
    d.groupNo = r.ReadInt32();
    d.quantity = r.ReadDouble();
    d.unit = r.ReadString();
    const int32_t n = r.ReadCount(kMinResourceBytes);
    d.resources.clear();
    d.resources.reserve(size_t(n));
    for (int32_t i = 0; i < n; ++i) {
        Trecsource res;
        res.Read(r);
        d.resources.push_back(std::move(res));
    }
    d.category = r.ReadString();
    d.reservedText = r.ReadString();
    d.reservedA = r.ReadDouble();
    d.reservedB = r.ReadDouble();
    d.workNo = r.ReadInt32();
    d.progress = r.ReadDouble();
}

void ReadWorkDataOld(TPrtReader& r, Tworkdata& d, double version)
{
    d.name = r.ReadString();
    r.ReadFontBody(d.font);
    ReadCustomFlags(r, d);
    d.lineWidth = r.ReadInt32();
    d.lineColor = r.ReadInt32();
    d.lineStyle = r.ReadString();
    d.placeMode = r.ReadInt32();
    d.namePlace = r.ReadInt32();
    d.duration = r.ReadFloat();
    d.kind = r.ReadString();
    d.es = r.ReadFloat();
    d.ls = r.ReadFloat();
    d.start = r.ReadFloat();
    d.critical = r.ReadByte();
    if (version >= 1.2) {
        d.code = r.ReadString();
        d.groupName = r.ReadString();
        d.groupNo = r.ReadInt32();
        d.quantity = r.ReadDouble();
    }
    if (version >= 1.28) d.unit = r.ReadString();
    const int32_t n = r.ReadCount(kMinOldResourceBytes);
    d.resources.clear();
    d.resources.reserve(size_t(n));
    for (int32_t i = 0; i < n; ++i) {
        Trecsource res;
        res.ReadOld(r, version);
        d.resources.push_back(std::move(res));
    }
    if (version >= 1.38) {
        d.category = r.ReadString();
        d.reservedText = r.ReadString();
        d.reservedA = r.ReadDouble();
        d.reservedB = r.ReadDouble();
        d.workNo = r.ReadInt32();
    }
    if (version >= 1.5) {
        d.progress = r.ReadDouble();
        // Files before 1.509 stored no meaningful ratio there.
        if (version < 1.509) d.progress = -0.01;
    }
}

// ---- time labels --------------------------------------------------------------

void WriteTimeLabel(TPrtWriter& w, const TWorkTimeData& t)
{
    w.WriteInt32(kRecordVersion);
    w.WriteDouble(t.anchorX);
    w.WriteDouble(t.anchorY);
    w.WriteDouble(t.spanX);
    w.WriteDouble(t.reservedGeom);
    w.WriteFontBody(t.font);
    w.WriteInt32(t.frameColor);
    w.WriteInt32(t.fillColor);
    for (const std::string& s : t.texts) w.WriteString(s);
    for (int k = 0; k < 6; ++k) w.WriteByte(t.shown[size_t(kShownOfFile[k])]);
}

void ReadTimeLabel(TPrtReader& r, TWorkTimeData& t)
{
    if (r.ReadInt32() < kRecordVersion) return;
    ReadLabelFields(r, t);
}

void ReadTimeLabelOld(TPrtReader& r, TWorkTimeData& t) { ReadLabelFields(r, t); }

// ---- rest periods -------------------------------------------------------------

void WriteRestIntervals(TPrtWriter& w, const TPertTime_out& rest)
{
    w.WriteInt32(1);
    w.WriteInt32(rest.Count());
    for (const Ttimeintval& p : rest.Items()) {
        w.WriteInt32(1);
        w.WriteInt32List({p.start, p.end});
    }
}

void ReadRestIntervals(TPrtReader& r, TPertTime_out& rest)
{
    r.ReadInt32();
    const int32_t n = r.ReadCount(kMinIntervalBytes);
    std::vector<Ttimeintval> periods;
    periods.reserve(size_t(n));
    for (int32_t i = 0; i < n; ++i) {
        r.ReadInt32();
        Ttimeintval p;
        AssignByPosition(r.ReadInt32List(), {&p.start, &p.end});
        periods.push_back(p);
    }
    rest.Assign(std::move(periods));
}

void ReadRestDayList(TPrtReader& r, TPertTime_out& rest)
{
    const int32_t n = r.ReadCount(4);
    std::vector<Ttimeintval> periods;
    periods.reserve(size_t(n));
    for (int32_t i = 0; i < n; ++i) {
        const int32_t d = r.ReadInt32();
        // The same clock time on the next calendar day, in 64 bits: the last
        // day of the stored range has no next day that fits.
        const std::optional<int32_t> end = CheckedStamp(SecondsOfDateTime(DateTimeOfStamp(d) + 1.0));
        if (!end) throw TPrtFormatError("rest day beyond the stored time range");
        periods.push_back(Ttimeintval{d, *end});
    }
    rest.Assign(std::move(periods));
}

// ---- network section ----------------------------------------------------------

void WriteNetworkSection(TPrtWriter& w, Tpertgra& net, bool leadingOne,
                         const std::function<void(TPrtWriter&)>& afterNode)
{
    const size_t n = net.nodes.size();
    // Works find their end node by id: ids that are not unique (a network
    // never time-ordered, or one with a loop) would send works to the wrong
    // node, so such a network is written with its storage positions as ids.
    std::vector<int32_t> ids;
    ids.reserve(n);
    for (const auto& v : net.nodes) ids.push_back(v->id);
    std::sort(ids.begin(), ids.end());
    const bool unique = std::adjacent_find(ids.begin(), ids.end()) == ids.end();
    auto idOf = [&](const Tvertex* v, int32_t fallback) -> int32_t {
        if (!v) return fallback;
        if (unique) return v->id;
        const int32_t k = net.IndexOfNode(v);
        return k >= 0 ? k + 1 : fallback;
    };

    if (leadingOne) w.WriteInt32(1);
    w.WriteInt32(int32_t(n));
    for (size_t i = 0; i < n; ++i) w.WritePlaceholder(true);
    for (const auto& v : net.nodes) {
        WriteNodeRecord(w, *v, idOf(v.get(), v->id));
        for (Tedge* e = v->firstWork; e; e = e->nextWork) {
            e->RefreshToNodeId();
            WriteWorkRecord(w, *e, idOf(e->toNode, e->toNodeId));
        }
        if (afterNode) afterNode(w);
    }
}

void ReadNetworkSection(TPrtReader& r, Tpertgra& net)
{
    if (r.ReadInt32() == 0) throw TPrtFormatError("network section missing");
    ReadCurrentNodes(r, net);
}

void ReadNetworkSectionNoLead(TPrtReader& r, Tpertgra& net) { ReadCurrentNodes(r, net); }

void ReadOldNetwork(TPrtReader& r, Tpertgra& net, size_t slots, double version)
{
    if (slots > r.remaining() / (kNodeRecordBytes - 4))
        throw TPrtFormatError("more nodes than the rest of the project file holds");
    ReadNodes(net, slots, [&r, version](Tvertex& v, std::vector<char>& segmented) {
        const bool hasWorks = ReadNodeRecordOld(r, v);
        ReadNodeWorks(v, hasWorks, segmented,
                      [&r, version](Tedge& e) { return ReadWorkRecordOld(r, e, version); });
    });
}
