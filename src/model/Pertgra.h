#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/Edge.h"
#include "model/Vertex.h"
#include "model/Vqbrush.h"
#include "model/Vqfont.h"

class TBiaoZhu;
class TDisplaySettings;
class TPertResList;
class TPertTime_out;
class TTimeDataShowMode;
class Tdisplace;
class Tfenzuarray;
class Tgantt;
class Tlistdurinterval_x;
class Tpertgrid;
class Trecsource;

// One whole project: nodes with their works, the orders the scheduler uses,
// the selection and every setting and sub-object of the project. The
// sub-objects that higher levels give behaviour are known here by name only:
// the project creates, copies, compares and destroys them in
// file/Pertgraparts.cpp, where their records are complete. The references
// below stay bound to those parts for the project's lifetime.
class Tpertgra {
    struct Parts;
    std::unique_ptr<Parts> parts_;

public:
    int32_t pressX = 0;
    int32_t pressY = 0;
    int32_t pointX = 0;
    int32_t pointY = 0;
    bool hasFile = false;
    bool modified = false;
    std::vector<std::pair<Tvertex*, Tvertex*>> nodePairs;
    std::string fileName;
    std::string title = "工程进度网络计划图";
    TVqFont titleFont{"宋体", 24, 0xFF00FF};
    int32_t reservedColorA = 0;
    int32_t reservedColorB = 0;
    int32_t titleGap = 20;
    bool showTitleAlways = false;
    std::vector<std::unique_ptr<Tvertex>> nodes;
    std::vector<std::unique_ptr<Tdisplace>> displacements;
    std::vector<Tvertex*> order;
    std::vector<Tedge*> selection;
    int32_t projectStart = 0;
    TDisplaySettings& displaySettings;
    // Right and bottom print margins (drawing units); not stored in the file.
    double printRightMargin = 5.0;
    double printBottomMargin = 5.0;
    TDisplaySettings& screenPalette;
    TDisplaySettings& printPalette;
    std::unique_ptr<Tpertgrid> grid;
    bool showFrame = true;
    Tgantt& liveGantt;
    Tgantt& ganttPrintPreset;
    Tgantt& ganttScreenPreset;
    bool networkView = true;
    TVqFont workFont{"宋体", 10, 0x00FFFF};
    int32_t printTextColor = 0xFF0000;
    int32_t screenTextColor = 0x00FFFF;
    TVqFont nodeFont{"Arial", 7, 0x00FF00};
    std::vector<std::unique_ptr<Trecsource>> customResourceDays;
    bool resourceDiagramInNetwork = true;
    bool resourceOnlyView = false;
    std::vector<std::string> shownResources;
    bool showEndMark = true;
    int32_t networkKind = 0;
    Tfenzuarray& groups;
    int32_t showTimeLabels = 0;
    // (screen, print) pairs: auxiliary colour, suspended colour, a third pair kept only.
    int32_t colorPairs[6] = {0x808000, 0xFF0000, 0x00FFFF, 0xFF0000, 0, 0};
    int32_t auxiliaryPenWidth = 1;
    int32_t suspendedPenWidth = 1;
    int32_t reservedInt = 0;
    int32_t progressDate = 0;
    int32_t resourceDrawMode = 0;
    TVqBrush resourceScreenBrush{5, 0xFF0000};
    TVqBrush resourcePrintBrush{5, 0};
    Tlistdurinterval_x& timeScale;
    bool showProgressLine = false;
    TTimeDataShowMode& timeLabelMode;
    TPertResList& resources;
    std::vector<std::unique_ptr<TBiaoZhu>> annotations;
    TPertTime_out& restIntervals;
    int32_t showStart = 0;
    int32_t showEnd = 0;

    // Create: project start is today at 00:00 (from the platform clock).
    Tpertgra();
    ~Tpertgra();
    Tpertgra(const Tpertgra&) = delete;
    Tpertgra& operator=(const Tpertgra&) = delete;

    // ---- container (model) ----
    void AddNode(Tvertex* node);
    void LinkWork(Tvertex* from, Tvertex* to, Tedge* work);
    void RemoveNode(Tvertex* node);
    // Removes every node of the set in one pass (and the partner table, which
    // the next layout rebuilds).
    void RemoveNodes(const std::unordered_set<const Tvertex*>& gone);
    Tvertex* FindNodeAt(int32_t x, int32_t y) const;
    bool IsMilestoneEnd(const Tvertex* node) const;
    Tedge* LatestWorkInto(const Tvertex* node) const;
    std::vector<Tedge*> AllWorks() const;
    // The literal insertion passes of AllWorks; kept to prove the fast form.
    std::vector<Tedge*> AllWorksLiteral() const;
    bool Renumber();
    std::vector<Tvertex*> TimeOrder();
    // The model step of every relayout after ComputeAndPull and the deletion
    // of lone milestones: nodes take the rows of their single works
    // (drawing/Tidynetwork.cpp).
    void TidyNetwork();
    std::unique_ptr<Tpertgra> BuildFromWorks(const std::vector<Tedge*>& works) const;
    std::unique_ptr<Tpertgra> Clone() const;
    // Clone in two halves, for copies whose nodes and works come from
    // elsewhere (the undo history): the settings and sub-objects into a
    // network, and, once its nodes and works are in place, the segment links
    // re-pointed and the times computed again.
    void CopySettingsInto(Tpertgra& copy) const;
    void FinishCopy();
    bool IsSameAs(const Tpertgra& other) const;
    int32_t NodeCount() const { return int32_t(nodes.size()); }
    int32_t WorkCount() const;
    int32_t IndexOfNode(const Tvertex* node) const;

    // Works ending at the node, in storage order of their from-nodes and list order.
    std::span<Tedge* const> WorksInto(const Tvertex* node) const;
    // Must be called by any operation that relinks works or nodes by hand
    // (LinkWork, AddNode and RemoveNode call it themselves).
    void InvalidateStructure() const;
    // Must be called by any operation that sets workNo of existing works
    // (LinkWork keeps the largest number itself).
    void InvalidateWorkNumbers() const;

    // Many link changes in a row (deleting a batch of works): between Begin
    // and End, WorksInto answers from a per-node index of entering works
    // that the editing code keeps up to date with the two notes below,
    // instead of the lookup index being rebuilt after every change. Only
    // WorksInto (and what uses it) may be asked meanwhile; the order of the
    // works it gives is then unspecified. A node removed meanwhile stays in
    // the storage, without works, until End takes every such node out.
    void BeginLinkEdits();
    void EndLinkEdits();
    // The work, ending at `to`, is about to be destroyed.
    void NoteWorkGone(const Tedge* work, const Tvertex* to);
    // Every work that ended at `from` now ends at `into`.
    void NoteEndsMoved(const Tvertex* from, const Tvertex* into);

    // ---- work kinds ----
    bool IsValidAuxiliary(const Tedge* work) const;
    static bool CanBeMilestone(const Tedge* work);
    bool MakeAuxiliary(Tedge* work);
    void RecheckAuxiliary(Tedge* work);
    // Every auxiliary work re-checked in the order of AllWorks.
    void RecheckAuxiliaries();
    void ApplyWorkData(Tedge* work, const Tworkdata& edited);
    void SetProgress(Tedge* work, double p);
    // True when `to` can be reached from `from` along leaving works.
    bool Reaches(const Tvertex* from, const Tvertex* to) const;

    // ---- scheduling ----
    void Recalculate();
    void Reschedule();
    void ComputeTimes();
    void ComputeAndPull();
    void SetNodeTime(Tvertex* node, float t);
    bool MoveNode(Tvertex* node, float t);
    bool MoveStartNode(Tvertex* node, float t);
    bool MoveWorkStart(Tedge* work, float t);
    void PlaceWork(Tedge* work, float s, float d);
    bool ChangeDuration(Tedge* work, float d);
    float EarliestNodeTime(const Tvertex* node) const;
    void RefreshEndNode(Tedge* work);
    // The time parameters computed the plain way: passes over the nodes and
    // works themselves, and one reachability search per start node for the
    // separate numbering of self-contained parts. Kept to prove the fast form.
    void ComputeTimesLiteral();

private:
    struct StructureCache;
    mutable std::unique_ptr<StructureCache> cache_;
    const StructureCache& Cache() const;
    struct LiveInto;
    std::unique_ptr<LiveInto> liveInto_;
    int32_t MaxWorkNo() const;
    mutable int32_t maxWorkNo_ = 0;
    mutable bool maxWorkNoValid_ = false;

    void InitDefaults();
    bool HasParallelPath(const Tedge* work, bool timesRise) const;
    bool TimesRise() const;

    void TimePass(const std::vector<Tvertex*>& list);
    void TimePassPlain(const std::vector<Tvertex*>& list);
    void ComputeTimesImpl(bool literal);
    void CopySettingsFrom(const Tpertgra& src);
};
