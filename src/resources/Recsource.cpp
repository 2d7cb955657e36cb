#include "resources/Recsource.h"

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
