#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

class Tpertgra;
class Tvertex;
class Tedge;
class Tworkdata;
class TWorkTimeData;
class TPertTime_out;
class TPrtWriter;
class TPrtReader;

// The records of the network section of a project file: nodes, works with
// their data and time labels, and the rest periods of the calendar. The
// current forms carry a record version; the old forms (files of 1.54 and
// older) are the same fields without it, read with the file's version.

// Node record, version 2 (50 bytes). `id` is passed in: the writer may store
// other ids than the model holds when those are not unique (see the network
// section writer).
void WriteNodeRecord(TPrtWriter& w, const Tvertex& node, int32_t id);
// Returns whether the node's works follow (its works placeholder). A version
// below 2 reads nothing more and leaves the node without works.
bool ReadNodeRecord(TPrtReader& r, Tvertex& node);
// The 46 bytes of the version-2 record after its version field.
bool ReadNodeRecordOld(TPrtReader& r, Tvertex& node);

// What the placeholders of a work record said.
struct TWorkLinks {
    bool nextWork = false;     // another work of the same node follows
    bool nextSegment = false;  // the work continues in a segment at its end node
};

void WriteWorkRecord(TPrtWriter& w, const Tedge& work, int32_t toNodeId);
// A version below 2 reads nothing more: the work keeps its defaults and ends
// its node's list.
TWorkLinks ReadWorkRecord(TPrtReader& r, Tedge& work);
// Labels and their offsets are part of old works only after 1.529.
TWorkLinks ReadWorkRecordOld(TPrtReader& r, Tedge& work, double version);

void WriteWorkData(TPrtWriter& w, const Tworkdata& d);
void ReadWorkData(TPrtReader& r, Tworkdata& d);
// Fields appear with the versions that introduced them; progress of files
// before 1.509 is taken as "not set".
void ReadWorkDataOld(TPrtReader& r, Tworkdata& d, double version);

void WriteTimeLabel(TPrtWriter& w, const TWorkTimeData& t);
void ReadTimeLabel(TPrtReader& r, TWorkTimeData& t);
void ReadTimeLabelOld(TPrtReader& r, TWorkTimeData& t);

// int32 1, int32 n, then per period int32 1 and an int32 list (start, end).
// Reading replaces the whole list.
void WriteRestIntervals(TPrtWriter& w, const TPertTime_out& rest);
void ReadRestIntervals(TPrtReader& r, TPertTime_out& rest);
// Older files: int32 n and n day starts, each standing for [d, d + 1 day).
// A day whose end no longer fits the stored time form makes the file corrupt.
void ReadRestDayList(TPrtReader& r, TPertTime_out& rest);

// The network section: int32 1 (layout 3 only), int32 N, N placeholders,
// then every node in storage order followed by its works. Refreshes every
// work's toNodeId from its toNode. Node ids are written as they are when they
// are unique; otherwise every node is written with its storage position + 1
// as id, so that the links survive the file. afterNode, when given, is
// called after each node with its works, so that a caller may hand the bytes
// written so far on and clear them.
void WriteNetworkSection(TPrtWriter& w, Tpertgra& net, bool leadingOne,
                         const std::function<void(TPrtWriter&)>& afterNode = {});
// Layout 3: the leading int32 (0 fails the load), N, the placeholders and the nodes.
void ReadNetworkSection(TPrtReader& r, Tpertgra& net);
// Layout 2: the same without the leading int32.
void ReadNetworkSectionNoLead(TPrtReader& r, Tpertgra& net);
// The nodes of an old file: `slots` old node records, each followed by its
// old work records.
void ReadOldNetwork(TPrtReader& r, Tpertgra& net, size_t slots, double version);
