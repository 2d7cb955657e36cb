#include <gtest/gtest.h>

#include <map>
#include <set>

#include <pugixml.hpp>

#include "interchange/Projectxml.h"
#include "model/Pertgra.h"
#include "schedule/Calendar.h"
#include "support/Netbuilder.h"

namespace {

// a-b (A), b-c (B), a-c (C), c~d dummy, d-e (D), milestone x-b, auxiliary a-b.
struct Plan {
    TNetBuilder b;
    Plan()
    {
        b.Work('a', 'b', 3);
        b.Work('b', 'c', 2);
        b.Work('a', 'c', 1);
        b.Work('c', 'd', 0, WorkKind::Dummy);
        b.Work('d', 'e', 4);
        b.Work('x', 'e', 0, WorkKind::Milestone);
        b.Place();
        b.W("ab")->data->groupName = "土建";
        b.W("bc")->data->groupName = "土建";
        Trecsource r;
        r.number = "R1";
        r.name = "钢筋工";
        r.dailyAmount = 5;
        b.W("de")->data->resources.push_back(r);
        b.net->Recalculate();
    }
};

std::map<std::string, pugi::xml_node> TasksByName(const pugi::xml_node& project)
{
    std::map<std::string, pugi::xml_node> m;
    for (pugi::xml_node t : project.child("Tasks").children("Task")) m[t.child_value("Name")] = t;
    return m;
}

std::set<std::string> PredecessorNames(const pugi::xml_node& project, const pugi::xml_node& task)
{
    std::map<std::string, std::string> nameOf;
    for (pugi::xml_node t : project.child("Tasks").children("Task"))
        nameOf[t.child_value("UID")] = t.child_value("Name");
    std::set<std::string> names;
    for (pugi::xml_node l : task.children("PredecessorLink")) {
        EXPECT_STREQ(l.child_value("Type"), "1");
        EXPECT_TRUE(names.insert(nameOf[l.child_value("PredecessorUID")]).second) << "link twice";
    }
    return names;
}

TEST(ProjectXml, TasksLinksThroughDummiesGroupsAndResources)
{
    Plan p;
    SetRestDays(*p.b.net, {p.b.net->projectStart + 2 * 86400, p.b.net->projectStart + 3 * 86400,
                           p.b.net->projectStart + 9 * 86400});
    p.b.net->Recalculate();
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(ProjectXml(*p.b.net).c_str()));
    const pugi::xml_node project = doc.child("Project");
    ASSERT_TRUE(project);
    auto tasks = TasksByName(project);
    ASSERT_EQ(tasks.size(), 6u);   // five works (no dummy) and the group's summary task
    EXPECT_STREQ(tasks["土建"].child_value("Summary"), "1");
    EXPECT_STREQ(tasks["ab"].child_value("OutlineLevel"), "2");
    EXPECT_STREQ(tasks["ac"].child_value("OutlineLevel"), "1");
    EXPECT_STREQ(tasks["xe"].child_value("Milestone"), "1");
    EXPECT_STREQ(tasks["bc"].child_value("Duration"), "PT16H0M0S");
    EXPECT_EQ(PredecessorNames(project, tasks["bc"]), (std::set<std::string>{"ab"}));
    EXPECT_EQ(PredecessorNames(project, tasks["de"]), (std::set<std::string>{"bc", "ac"}));
    EXPECT_TRUE(PredecessorNames(project, tasks["xe"]).empty());
    // ab: days 0, 1 and, after the rest days 2 and 3, day 4; bc starts on day 5.
    const std::string start = DateText(DateOfDay(*p.b.net, 0));
    EXPECT_EQ(std::string(tasks["ab"].child_value("Start")), start + "T08:00:00");
    EXPECT_EQ(std::string(tasks["bc"].child_value("Start")),
              DateText(DateOfDay(*p.b.net, 5)) + "T08:00:00");
    EXPECT_EQ(std::string(tasks["ab"].child_value("Finish")),
              DateText(DateOfDay(*p.b.net, 4)) + "T17:00:00");
    // Two runs of rest days.
    int exceptions = 0;
    for (pugi::xml_node e : project.child("Calendars").child("Calendar").child("Exceptions").children(
             "Exception")) {
        ++exceptions;
        EXPECT_STREQ(e.child_value("DayWorking"), "0");
    }
    EXPECT_EQ(exceptions, 2);
    const pugi::xml_node res = project.child("Resources").child("Resource");
    EXPECT_STREQ(res.child_value("Name"), "钢筋工");
    const pugi::xml_node a = project.child("Assignments").child("Assignment");
    EXPECT_STREQ(a.child_value("TaskUID"), tasks["de"].child_value("UID"));
    EXPECT_STREQ(a.child_value("Units"), "5");
}

TEST(ProjectXml, DurationsToTheMinute)
{
    const struct {
        double days;
        const char* text;
    } cases[] = {{0, "PT0H0M0S"}, {1, "PT8H0M0S"}, {2.5, "PT20H0M0S"}, {0.1, "PT0H48M0S"}};
    for (const auto& c : cases) EXPECT_EQ(XmlDuration(c.days), c.text) << c.days;
}

TEST(ProjectXml, NamesAreEscaped)
{
    Plan p;
    p.b.W("ab")->data->name = "<a & \"b\">";
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(ProjectXml(*p.b.net).c_str()));
    EXPECT_EQ(TasksByName(doc.child("Project")).count("<a & \"b\">"), 1u);
}

}  // namespace
