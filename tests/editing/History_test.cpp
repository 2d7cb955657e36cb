#include "editing/History.h"

#include <gtest/gtest.h>

#include "editing/Desktopfixtures.h"
#include "editing/Pertdoc.h"

namespace {

// The duration of the first work of the first node: each change sets it.
float Marker(const Tpertgra& net)
{
    return net.nodes.front()->firstWork->data->duration;
}

void Change(TPertdoc& doc, float marker)
{
    doc.network->nodes.front()->firstWork->data->duration = marker;
    doc.PushHistory();
}

TEST(History, TheOpenedStateIsTheFirstSnapshot)
{
    TPertdoc doc(SmallPlan(), "a.prt", "/p/a.prt");
    const float opened = Marker(*doc.network);
    ASSERT_EQ(doc.history.Count(), 1);
    EXPECT_FALSE(doc.Undo());   // nothing changed yet
    Change(doc, 11);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Marker(*doc.network), opened);
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(Marker(*doc.network), 11);
}

TEST(History, ThirteenSnapshotsAtMostAndTwelveStepsBack)
{
    TPertdoc doc(SmallPlan(), "a.prt", "/p/a.prt");
    for (int i = 1; i <= 14; ++i) Change(doc, float(100 + i));
    EXPECT_EQ(doc.history.Count(), 13);
    int steps = 0;
    float last = Marker(*doc.network);
    while (doc.Undo() && Marker(*doc.network) != last) {
        last = Marker(*doc.network);
        ++steps;
    }
    EXPECT_EQ(steps, 12);
    EXPECT_EQ(Marker(*doc.network), 102);   // the oldest kept state
    EXPECT_EQ(doc.history.historyIndex, 12);
}

TEST(History, ANewChangeDropsTheRedoBranch)
{
    TPertdoc doc(SmallPlan(), "a.prt", "/p/a.prt");
    for (float m : {1.f, 2.f, 3.f, 4.f}) Change(doc, m);
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Marker(*doc.network), 2);
    Change(doc, 9);
    EXPECT_EQ(doc.history.historyIndex, 0);
    EXPECT_EQ(doc.history.Count(), 4);   // opened, 1, 2, 9
    ASSERT_TRUE(doc.Redo());             // already newest: reloads it
    EXPECT_EQ(Marker(*doc.network), 9);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Marker(*doc.network), 2);
}

TEST(History, UndoAtTheOldestSnapshotDropsUnrecordedChanges)
{
    TPertdoc doc(SmallPlan(), "a.prt", "/p/a.prt");
    Change(doc, 7);
    ASSERT_TRUE(doc.Undo());
    const float opened = Marker(*doc.network);
    doc.network->nodes.front()->firstWork->data->duration = 55;   // not recorded
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Marker(*doc.network), opened);
}

TEST(History, UndoKeepsTheFileAndCountsAsAChange)
{
    TPertdoc doc(SmallPlan(), "a.prt", "/p/a.prt");
    doc.network->fileName = "/p/a.prt";
    doc.network->hasFile = true;
    doc.network->modified = false;
    Change(doc, 3);
    // Saved under a new name after the change, then undone to the opened state.
    doc.network->fileName = "/p/b.prt";
    doc.network->modified = false;
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.network->fileName, "/p/b.prt");
    EXPECT_TRUE(doc.network->hasFile);
    EXPECT_TRUE(doc.network->modified);   // the file on disk holds the change
}

TEST(History, DiffersFromCurrentSnapshot)
{
    TPertdoc doc(SmallPlan(), "a.prt", "/p/a.prt");
    EXPECT_FALSE(doc.history.DiffersFromCurrent(*doc.network));
    doc.network->nodes.front()->firstWork->data->duration = 42;
    EXPECT_TRUE(doc.history.DiffersFromCurrent(*doc.network));
    THistory empty;
    EXPECT_FALSE(empty.DiffersFromCurrent(*doc.network));
}

}  // namespace
