#include "model/Recsource.h"

#include "file/Prtstream.h"

Trecsource::~Trecsource()
{
    // Unlink the chain iteratively: a long day chain must not recurse in the destructor.
    std::unique_ptr<Trecsource> p = std::move(next);
    while (p) p = std::move(p->next);
}

Trecsource::Trecsource(const Trecsource& o)
    : startDay(o.startDay), endDay(o.endDay), number(o.number), name(o.name), unit(o.unit),
      price(o.price), dailyAmount(o.dailyAmount), resourceKind(o.resourceKind),
      totalAmount(o.totalAmount), measureMode(o.measureMode), drawMode(0)
{
}

Trecsource& Trecsource::operator=(const Trecsource& o)
{
    if (this == &o) return *this;
    startDay = o.startDay;
    endDay = o.endDay;
    number = o.number;
    name = o.name;
    unit = o.unit;
    price = o.price;
    dailyAmount = o.dailyAmount;
    resourceKind = o.resourceKind;
    next.reset();
    totalAmount = o.totalAmount;
    measureMode = o.measureMode;
    drawMode = 0;
    return *this;
}

std::unique_ptr<Trecsource> Trecsource::CloneChain() const
{
    auto head = std::make_unique<Trecsource>(*this);
    Trecsource* tail = head.get();
    for (const Trecsource* p = next.get(); p; p = p->next.get()) {
        tail->next = std::make_unique<Trecsource>(*p);
        tail = tail->next.get();
    }
    return head;
}

static bool SameEntry(const Trecsource& a, const Trecsource& b)
{
    return a.startDay == b.startDay && a.endDay == b.endDay && a.number == b.number &&
           a.name == b.name && a.unit == b.unit && a.price == b.price &&
           a.dailyAmount == b.dailyAmount && a.resourceKind == b.resourceKind &&
           a.totalAmount == b.totalAmount && a.measureMode == b.measureMode;
}

bool SameChain(const Trecsource* a, const Trecsource* b)
{
    while (a && b) {
        if (!SameEntry(*a, *b)) return false;
        a = a->next.get();
        b = b->next.get();
    }
    return a == nullptr && b == nullptr;
}

bool Trecsource::operator==(const Trecsource& o) const
{
    return SameChain(this, &o);
}

const char* Trecsource::MeasureModeText(int32_t mode)
{
    return mode == 0 ? "总量" : mode == 1 ? "平均用量" : "";
}

const char* Trecsource::DrawModeText(int32_t mode)
{
    switch (mode) {
    case 0: return "画直线";
    case 1: return "画直方图";
    case 2: return "画曲线";
    default: return "";
    }
}

void Trecsource::SetDrawModeText(const std::string& text)
{
    if (text == "画直线") drawMode = 0;
    else if (text == "画直方图") drawMode = 1;
    else if (text == "画曲线") drawMode = 2;
}

void Trecsource::Write(TPrtWriter& w) const
{
    for (const Trecsource* p = this; p; p = p->next.get()) {
        w.WriteInt32(2);
        w.WriteString(p->number);
        w.WriteString(p->name);
        w.WriteString(p->unit);
        w.WriteString(p->resourceKind);
        w.WriteDouble(p->price);
        w.WriteDouble(p->dailyAmount);
        w.WriteDouble(p->startDay);
        w.WriteDouble(p->endDay);
        w.WriteDouble(p->totalAmount);
        w.WriteInt32(p->measureMode);
        w.WriteInt32(p->drawMode);
        w.WritePlaceholder(p->next != nullptr);
    }
}

void Trecsource::Read(TPrtReader& r)
{
    // Each pass reads one entry's record; a set "next" placeholder means the
    // following record is the next entry of the chain.
    Trecsource* p = this;
    for (;;) {
        if (r.ReadInt32() < 2) return;
        p->number = r.ReadString();
        p->name = r.ReadString();
        p->unit = r.ReadString();
        p->resourceKind = r.ReadString();
        p->price = static_cast<float>(r.ReadDouble());
        p->dailyAmount = static_cast<float>(r.ReadDouble());
        p->startDay = static_cast<float>(r.ReadDouble());
        p->endDay = static_cast<float>(r.ReadDouble());
        p->totalAmount = r.ReadDouble();
        p->measureMode = r.ReadInt32();
        p->drawMode = r.ReadInt32();
        if (!r.ReadPlaceholder()) {
            p->next.reset();
            return;
        }
        p->next = std::make_unique<Trecsource>();
        p = p->next.get();
    }
}

void Trecsource::ReadOld(TPrtReader& r, double version)
{
    number = r.ReadString();
    name = r.ReadString();
    unit = r.ReadString();
    price = r.ReadFloat();
    dailyAmount = r.ReadFloat();
    resourceKind = r.ReadString();
    startDay = r.ReadFloat();
    endDay = r.ReadFloat();
    measureMode = 1;
    if (version > 1.3) {
        totalAmount = r.ReadDouble();
        measureMode = r.ReadInt32();
    }
}
