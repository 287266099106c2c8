// The undo step of a rule that changes elements in place (a rename that
// is followed through the project, the twelve function blocks of a direct
// edit): the rule tells the recorder of each element just before its first
// change, and the recorder gives one step that takes them all back.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_set>
#include <vector>

#include "document/edit_command.h"
#include "document/element_snapshot.h"

class CChangeRecorder {
public:
    // Keeps what `element` of `doc` holds, unless it was kept before.
    void Touch(CMerxDocument& doc, const CMERX_base& element);
    // The step for the elements that changed since they were touched (one
    // step for one, a batch for more); null when none did. The recorder
    // is empty again.
    CEditCommandPtr Finish(CMerxDocument& doc);

private:
    struct CTouched {
        uint32_t id;
        std::unique_ptr<CElementSnapshot> before;
    };
    std::vector<CTouched> m_touched;
    std::unordered_set<uint32_t> m_ids;
};
