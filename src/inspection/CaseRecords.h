#pragma once

#include "inspection/SendingRun.h"
#include "store/CaseRecord.h"

// The records screen's cases without their widgets: the store's list in the
// order shown, the ticks (a tick belongs to its case, so sorting or deleting
// moves none onto another case), the sort orders of the sort menu, and
// deletion as one store transaction.
class CaseRecords {
  public:
    // The sort menu's rows, in its order.
    enum Sort { ByTime = 0, ByNumber = 1, ByState = 2 };

    // Cases to delete: the list that stays and the cases that go.
    struct Deletion {
        CaseList kept;
        CaseList dropped;
        bool untickAll = false; // a deletion of the ticked cases clears every tick
    };

    // Takes the store's list as it stands, in store order; ticks stay.
    void reload();

    const CaseList& cases() const { return cases_; }
    // The ticks, which a sending run reads and clears.
    TickedCases& ticked() { return ticked_; }
    const TickedCases& ticked() const { return ticked_; }
    bool isTicked(const CaseRecord* record) const;
    // Ticks or unticks the case at index; false for an index with no case.
    bool setTicked(int index, bool on);
    void tickAll();
    // Whether a ticked case still waits to be sent.
    bool anyTickedWaiting() const;

    // Sorts by the sort menu's row: time kept, registration number, state.
    // The sort is stable, and changes nothing in the store.
    void sortBy(int row);
    int sortIndex() const { return sortIndex_; }

    // The deletion of the case at row (nothing to delete past the end).
    Deletion deletionOfRow(int row) const;
    // The deletion of the ticked cases; keepWaiting keeps those still waiting.
    Deletion deletionOfTicked(bool keepWaiting) const;
    // Saves the kept cases as the store's list, then removes the dropped
    // cases' photo files. False, with nothing changed on disk or here, when
    // the list cannot be saved.
    static bool save(const Deletion& deletion);
    // Shows a saved deletion: the list becomes the kept cases, and the
    // dropped ones (or all, for ticked cases) lose their ticks.
    void apply(const Deletion& deletion);

  private:
    CaseList cases_;
    TickedCases ticked_;
    int sortIndex_ = ByTime;
};
