// The definition block (@@DEFINE): its text, kept verbatim, and the item
// types and jobs read from it.
#pragma once

#include "document/merx_array.h"
#include "document/merx_base.h"

// An item type: "type" directly followed by the id, blanks and the name.
// Ids are decimal digits compared as text ("01" and "1" differ).
struct TypeData {
    CMerxString id;
    CMerxString name;

    void Clear()
    {
        id.Release();
        name.Release();
    }
};

// A job: "job", blanks, the code (1 to 10 lowercase letters), blanks and
// the name; timerate tells whether the block also sets the job's time rate.
struct JobData {
    CMerxString code;
    CMerxString name;
    bool timerate = false;

    void Clear()
    {
        code.Release();
        name.Release();
        timerate = false;
    }
};

class Cdefinestruct : public CMERX_base {
public:
    CMerxBlockText text;
    CMerxArray<TypeData> types; // in order of first appearance, ids unique
    CMerxArray<JobData> jobs;   // in order of first appearance, codes unique

    Cdefinestruct() : CMERX_base(CMERX_TYPE_DEFINE) {}
    // Takes the text, the types and the jobs of `other`: how a definition
    // read into a fresh element is moved into place.
    Cdefinestruct& operator=(const Cdefinestruct& other);

    TypeData* FindType(const char* id);
    JobData* FindJob(const char* code);

    // Empty text, no types, no jobs.
    void Clear();
};
