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

Cdefinestruct& Cdefinestruct::operator=(const Cdefinestruct& other)
{
    if (this == &other)
        return *this;
    text.Assign(other.text);
    types.RemoveAll();
    for (const TypeData& type : other.types)
        *types.Add() = type;
    jobs.RemoveAll();
    for (const JobData& job : other.jobs)
        *jobs.Add() = job;
    return *this;
}
