#include "editing/Historystep.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "model/Edge.h"
#include "model/Pertgra.h"
#include "model/Vertex.h"

namespace {

// The codec below names every field a Clone copies. A new field in one of
// these records must be added to it, or undo would lose it.
#if defined(__GLIBCXX__) && defined(__x86_64__)
static_assert(sizeof(Tvertex) == 64, "a new node field must be added to the history step");
static_assert(sizeof(Tedge) == 440, "a new work field must be added to the history step");
static_assert(sizeof(Tworkdata) == 424, "a new work data field must be added to the history step");
static_assert(sizeof(TWorkTimeData) == 288, "a new time label field must be added to the history step");
static_assert(sizeof(Trecsource) == 168, "a new resource field must be added to the history step");
static_assert(sizeof(TVqFont) == 48, "a new font field must be added to the history step");
#endif

// Appends fields to a block. The buffer grows in large steps and is cut to
// its length at the end (Finish), so a field costs one copy.
class TWriter {
public:
    explicit TWriter(THistoryStep::TBytes& out) : out_(out) { out_.resize(out_.capacity()); }

    template <class T>
        requires std::is_arithmetic_v<T>
    void operator()(const T& v)
    {
        Put(&v, sizeof(T));
    }
    void operator()(const std::string& s)
    {
        Count(s.size());
        Put(s.data(), s.size());
    }
    template <class T, size_t N>
    void operator()(const std::array<T, N>& a)
    {
        if constexpr (std::is_arithmetic_v<T>) Put(a.data(), sizeof(T) * N);
        else
            for (const T& v : a) (*this)(v);
    }
    void operator()(const TVqFont& f)
    {
        (*this)(f.name);
        (*this)(f.size);
        (*this)(f.color);
        (*this)(f.style);
        (*this)(f.charset);
    }
    // Small counts take one byte.
    void Count(size_t n)
    {
        if (n < 255) {
            const uint8_t b = uint8_t(n);
            Put(&b, 1);
            return;
        }
        const uint8_t mark = 255;
        Put(&mark, 1);
        (*this)(uint64_t(n));
    }
    void Finish() { out_.resize(at_); }

private:
    void Put(const void* p, size_t n)
    {
        if (at_ + n > out_.size()) out_.resize(std::max(out_.size() * 2, at_ + n + 4096));
        std::memcpy(out_.data() + at_, p, n);
        at_ += n;
    }
    THistoryStep::TBytes& out_;
    size_t at_ = 0;
};

// Reads the fields back in the same order.
class TReader {
public:
    TReader(const uint8_t* p, const uint8_t* end) : p_(p), end_(end) {}

    template <class T>
        requires std::is_arithmetic_v<T>
    void operator()(T& v)
    {
        Need(sizeof(T));
        std::memcpy(&v, p_, sizeof(T));
        p_ += sizeof(T);
    }
    void operator()(std::string& s)
    {
        const size_t n = Count();
        Need(n);
        s.assign(reinterpret_cast<const char*>(p_), n);
        p_ += n;
    }
    template <class T, size_t N>
    void operator()(std::array<T, N>& a)
    {
        if constexpr (std::is_arithmetic_v<T>) {
            Need(sizeof(T) * N);
            std::memcpy(a.data(), p_, sizeof(T) * N);
            p_ += sizeof(T) * N;
        } else {
            for (T& v : a) (*this)(v);
        }
    }
    void operator()(TVqFont& f)
    {
        (*this)(f.name);
        (*this)(f.size);
        (*this)(f.color);
        (*this)(f.style);
        (*this)(f.charset);
    }
    size_t Count()
    {
        uint8_t b = 0;
        (*this)(b);
        if (b < 255) return b;
        uint64_t n = 0;
        (*this)(n);
        return size_t(n);
    }
    bool AtEnd() const { return p_ == end_; }

private:
    void Need(size_t n) const
    {
        // The blocks are this program's own memory; a short one is a fault of the codec.
        if (size_t(end_ - p_) < n) throw std::logic_error("history step block too short");
    }
    const uint8_t* p_;
    const uint8_t* end_;
};

// The fields of a node that Clone copies (Tvertex::CopyNode).
template <class C, class V>
void NodeFields(C& c, V& v)
{
    c(v.number);
    c(v.id);
    c(v.time);
    c(v.row);
    c(v.xOffset);
    c(v.inCount);
    c(v.outCount);
    c(v.critical);
    c(v.x);
    c(v.y);
    c(v.joint);
}

// One resource use of a work: what its copy keeps, and the draw mode that
// Clone carries over.
template <class C, class R>
void ResourceFields(C& c, R& r)
{
    c(r.startDay);
    c(r.endDay);
    c(r.number);
    c(r.name);
    c(r.unit);
    c(r.price);
    c(r.dailyAmount);
    c(r.resourceKind);
    c(r.totalAmount);
    c(r.measureMode);
    c(r.drawMode);
}

template <class C, class D>
void DataFields(C& c, D& d)
{
    c(d.duration);
    c(d.start);
    c(d.code);
    c(d.groupNo);
    c(d.groupName);
    c(d.quantity);
    c(d.name);
    c(d.font);
    c(d.useCustom);
    c(d.useCustomWidth);
    c(d.useCustomColor);
    c(d.useCustomStyle);
    c(d.lineWidth);
    c(d.lineColor);
    c(d.lineStyle);
    c(d.placeMode);
    c(d.namePlace);
    c(d.kind);
    c(d.es);
    c(d.ls);
    c(d.critical);
    c(d.unit);
    c(d.category);
    c(d.reservedText);
    c(d.reservedA);
    c(d.reservedB);
    c(d.workNo);
    c(d.progress);
}

template <class C, class T>
void TimeLabelFields(C& c, T& t)
{
    c(t.anchorX);
    c(t.anchorY);
    c(t.spanX);
    c(t.reservedGeom);
    c(t.font);
    c(t.frameColor);
    c(t.fillColor);
    c(t.texts);
    c(t.shown);
}

// The fields of a work that Clone copies (Tedge::CopyWork), without its
// links: the end node goes by storage position, a segment link by whether
// it is set (Clone points it anew).
template <class C, class E>
void WorkFields(C& c, E& w)
{
    c(w.lineGeom);
    c(w.nameGeom);
    c(w.row);
    c(w.toNodeId);
    c(w.labelDx);
    c(w.labelDy);
    c(w.isContinuation);
    TimeLabelFields(c, w.timeLabel);
    DataFields(c, *w.data);
}

void EncodeBlock(const Tpertgra& net, size_t first, size_t last, THistoryStep::TBytes& out)
{
    TWriter put(out);
    const size_t n = net.nodes.size();
    for (size_t i = first; i < last; ++i) {
        const Tvertex& v = *net.nodes[i];
        NodeFields(put, v);
        size_t works = 0;
        for (const Tedge* w = v.firstWork; w; w = w->nextWork) ++works;
        put.Count(works);
        for (Tedge* w = v.firstWork; w; w = w->nextWork) {
            // As a copy does: the end-node id is refreshed. The end node's
            // storage position is its slot, valid after the lookup index was
            // built (IndexOfNode, without the call).
            int32_t to = -1;
            if (const Tvertex* e = w->toNode) {
                w->toNodeId = e->id;
                if (e->slot >= 0 && size_t(e->slot) < n && net.nodes[size_t(e->slot)].get() == e)
                    to = e->slot;
            }
            put(to);
            put(bool(w->nextSegment != nullptr));
            WorkFields(put, *w);
            put.Count(w->data->resources.size());
            for (const Trecsource& r : w->data->resources) ResourceFields(put, r);
        }
    }
    put.Finish();
}

void DecodeBlock(const THistoryStep::TBytes& block, size_t first, size_t last, Tpertgra& net)
{
    TReader get(block.data(), block.data() + block.size());
    for (size_t i = first; i < last; ++i) {
        Tvertex& v = *net.nodes[i];
        NodeFields(get, v);
        const size_t works = get.Count();
        Tedge* tail = nullptr;
        for (size_t k = 0; k < works; ++k) {
            auto* w = new Tedge;
            if (tail) tail->nextWork = w;
            else v.firstWork = w;
            tail = w;
            w->fromNode = &v;
            int32_t to = -1;
            get(to);
            w->toNode = to >= 0 && size_t(to) < net.nodes.size() ? net.nodes[size_t(to)].get() : nullptr;
            bool segmented = false;
            get(segmented);
            // Any non-null value; the copy's segment links are pointed anew.
            w->nextSegment = segmented ? w : nullptr;
            WorkFields(get, *w);
            w->data->resources.resize(get.Count());
            for (Trecsource& r : w->data->resources) ResourceFields(get, r);
        }
    }
    if (!get.AtEnd()) throw std::logic_error("history step block too long");
}

// The runs where `now` differs from `before` (same size) as (offset, length,
// bytes) records; runs closer than a record's head are joined. Empty when
// the patch would not be clearly smaller than the block.
void MakePatch(const THistoryStep::TBytes& before, const THistoryStep::TBytes& now,
               THistoryStep::TBytes& patch)
{
    patch.clear();
    const size_t n = now.size();
    size_t i = 0;
    while (i < n) {
        if (before[i] == now[i]) {
            ++i;
            continue;
        }
        const size_t start = i;
        size_t end = i + 1;
        size_t gap = 0;
        for (size_t j = end; j < n; ++j) {
            if (before[j] != now[j]) {
                end = j + 1;
                gap = 0;
            } else if (++gap >= 8) {
                break;
            }
        }
        const uint32_t head[2] = {uint32_t(start), uint32_t(end - start)};
        const auto* h = reinterpret_cast<const uint8_t*>(head);
        patch.insert(patch.end(), h, h + sizeof head);
        patch.insert(patch.end(), now.begin() + std::ptrdiff_t(start), now.begin() + std::ptrdiff_t(end));
        if (patch.size() * 2 > n) {
            patch.clear();
            return;
        }
        i = end;
    }
}

}  // namespace

struct THistoryStep::TBlock {
    std::shared_ptr<const TBlock> base;   // null: bytes are the block itself
    TBytes bytes;                         // the block, or its patch over base
    size_t size = 0;
    int32_t depth = 0;                    // patches down to a whole block

    // A chain of patches is cut after this many, so that a restore stays quick.
    static constexpr int32_t kMaxDepth = 8;

    // The whole block into out.
    void Bytes(TBytes& out) const
    {
        if (!base) {
            out.assign(bytes.begin(), bytes.end());
            return;
        }
        base->Bytes(out);
        for (size_t at = 0; at < bytes.size();) {
            uint32_t head[2];
            std::memcpy(head, bytes.data() + at, sizeof head);
            at += sizeof head;
            if (size_t(head[0]) + head[1] > out.size() || at + head[1] > bytes.size())
                throw std::logic_error("history step patch out of range");
            std::memcpy(out.data() + head[0], bytes.data() + at, head[1]);
            at += head[1];
        }
    }
};

std::shared_ptr<const THistoryStep> THistoryStep::Record(const Tpertgra& net,
                                                         const THistoryStep* previous)
{
    std::shared_ptr<THistoryStep> step(new THistoryStep);
    step->settings_ = std::make_unique<Tpertgra>();
    net.CopySettingsInto(*step->settings_);
    const size_t n = net.nodes.size();
    step->nodeCount_ = n;
    net.IndexOfNode(nullptr);   // builds the lookup index once, before the blocks
    const size_t blocks = (n + kNodesPerBlock - 1) / kNodesPerBlock;
    step->blocks_.reserve(blocks);
    const bool comparable = previous && previous->nodeCount_ == n;
    TBytes scratch, before, patch;
    for (size_t b = 0; b < blocks; ++b) {
        const size_t first = b * kNodesPerBlock;
        const size_t last = std::min(n, first + kNodesPerBlock);
        EncodeBlock(net, first, last, scratch);
        if (comparable) {
            const std::shared_ptr<const TBlock>& old = previous->blocks_[b];
            if (old->size == scratch.size()) {
                const TBytes* was = &old->bytes;
                if (old->base) {
                    old->Bytes(before);
                    was = &before;
                }
                if (std::memcmp(was->data(), scratch.data(), scratch.size()) == 0) {
                    step->blocks_.push_back(old);
                    continue;
                }
                if (old->depth < TBlock::kMaxDepth) MakePatch(*was, scratch, patch);
                else patch.clear();
                if (!patch.empty()) {
                    auto p = std::make_shared<TBlock>();
                    p->base = old;
                    p->bytes.assign(patch.begin(), patch.end());
                    p->size = scratch.size();
                    p->depth = old->depth + 1;
                    step->blocks_.push_back(std::move(p));
                    continue;
                }
            }
        }
        auto whole = std::make_shared<TBlock>();
        whole->bytes.assign(scratch.begin(), scratch.end());
        whole->size = scratch.size();
        step->blocks_.push_back(std::move(whole));
    }
    return step;
}

std::unique_ptr<Tpertgra> THistoryStep::Restore() const
{
    auto net = std::make_unique<Tpertgra>();
    RestoreInto(*net);
    return net;
}

void THistoryStep::RestoreInto(Tpertgra& net) const
{
    net.nodes.clear();
    net.nodes.reserve(nodeCount_);
    for (size_t i = 0; i < nodeCount_; ++i) net.nodes.push_back(std::make_unique<Tvertex>());
    TBytes bytes;
    for (size_t b = 0; b < blocks_.size(); ++b) {
        const size_t first = b * kNodesPerBlock;
        const TBytes* block = &blocks_[b]->bytes;
        if (blocks_[b]->base) {
            blocks_[b]->Bytes(bytes);
            block = &bytes;
        }
        DecodeBlock(*block, first, std::min(nodeCount_, first + kNodesPerBlock), net);
    }
    settings_->CopySettingsInto(net);
    net.FinishCopy();
}

size_t THistoryStep::OwnBlockBytes(const THistoryStep* previous) const
{
    size_t bytes = 0;
    for (size_t b = 0; b < blocks_.size(); ++b) {
        const bool shared = previous && b < previous->blocks_.size() && previous->blocks_[b] == blocks_[b];
        if (!shared) bytes += blocks_[b]->bytes.capacity() + sizeof(TBlock);
    }
    return bytes;
}
