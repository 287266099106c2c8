#include "document/change_recorder.h"

void CChangeRecorder::Touch(CMerxDocument& doc, const CMERX_base& element)
{
    const uint32_t id = doc.IdentityOf(element);
    if (!m_ids.insert(id).second)
        return;
    m_touched.push_back({id, std::make_unique<CElementSnapshot>(element)});
}

CEditCommandPtr CChangeRecorder::Finish(CMerxDocument& doc)
{
    auto batch = std::make_unique<CEditBatch>();
    for (CTouched& touched : m_touched)
        if (const CMERX_base* element = doc.FindByIdentity(touched.id))
            if (CEditCommandPtr step = ContentChanged(doc, *element, std::move(touched.before)))
                batch->Add(std::move(step));
    m_touched.clear();
    m_ids.clear();
    if (batch->IsEmpty())
        return nullptr;
    return batch;
}
