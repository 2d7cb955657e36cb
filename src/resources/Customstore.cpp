#include "resources/Customstore.h"

#include "file/Prtstream.h"

namespace {
constexpr size_t kPlaceholderBytes = 4;
}

void WriteCustomStore(TPrtWriter& w, const TCustomDays& days)
{
    w.WriteInt32(static_cast<int32_t>(days.size()));
    for (const auto& day : days) {
        w.WritePlaceholder(day != nullptr);
        if (day) day->Write(w);
    }
}

void ReadCustomStore(TPrtReader& r, TCustomDays& days)
{
    days.clear();
    int32_t n = r.ReadCount(kPlaceholderBytes);
    days.reserve(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
        std::unique_ptr<Trecsource> head;
        if (r.ReadPlaceholder()) {
            head = std::make_unique<Trecsource>();
            head->Read(r);
        }
        days.push_back(std::move(head));
    }
}

void ReadCustomStoreOld(TPrtReader& r, TCustomDays& days)
{
    days.clear();
    int32_t n = r.ReadCount(kPlaceholderBytes);
    days.reserve(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
        std::unique_ptr<Trecsource> head;
        std::unique_ptr<Trecsource>* link = &head;
        bool more = r.ReadPlaceholder();
        while (more) {
            auto e = std::make_unique<Trecsource>();
            e->number = r.ReadString();
            e->name = r.ReadString();
            e->unit = r.ReadString();
            e->price = r.ReadFloat();
            e->dailyAmount = r.ReadFloat();
            more = r.ReadPlaceholder();
            *link = std::move(e);
            link = &(*link)->next;
        }
        days.push_back(std::move(head));
    }
}
