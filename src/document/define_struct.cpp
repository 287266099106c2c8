#include "document/define_struct.h"

TypeData* Cdefinestruct::FindType(const char* id)
{
    for (TypeData& type : types) {
        if (type.id == id)
            return &type;
    }
    return nullptr;
}

JobData* Cdefinestruct::FindJob(const char* code)
{
    for (JobData& job : jobs) {
        if (job.code == code)
            return &job;
    }
    return nullptr;
}

void Cdefinestruct::Clear()
{
    text.Release();
    types.RemoveAll();
    jobs.RemoveAll();
}
