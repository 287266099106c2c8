#include "ui/ui_progress.h"

#include <utility>

#include "ui/dialog_base.h"
#include "ui/ui_backend.h"
#include "ui/ui_entry.h"

CUiProgressJob::CUiProgressJob(const char* title, const char* label, CUiProgressWork work)
    : m_title(title ? title : ""), m_label(label ? label : ""), m_work(std::move(work))
{
}

CUiProgressJob::~CUiProgressJob()
{
    if (m_thread.joinable()) {
        m_cancel = true;
        m_thread.join();
    }
}

void CUiProgressJob::Start()
{
    if (m_bStarted)
        return;
    m_bStarted = true;
    m_thread = std::thread([this] { Run(); });
}

void CUiProgressJob::Run()
{
    try {
        m_work(m_cancel, [this](uint32_t done, uint32_t total) {
            m_nTotal = total;
            m_nDone = done;
        });
    } catch (...) {
        m_fault = std::current_exception();
    }
    const std::lock_guard lock(m_mutex);
    m_bEnded = true;
    m_ended.notify_all();
}

bool CUiProgressJob::WaitFor(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    return m_ended.wait_for(lock, timeout, [this] { return m_bEnded; });
}

void CUiProgressJob::Wait()
{
    Start();
    {
        std::unique_lock lock(m_mutex);
        m_ended.wait(lock, [this] { return m_bEnded; });
    }
    if (m_thread.joinable())
        m_thread.join();
}

void CUiProgressJob::RaiseFault()
{
    if (m_fault)
        std::rethrow_exception(std::exchange(m_fault, nullptr));
}

bool UiRunWithProgress(const char* title, const char* label, const CUiProgressWork& work, CDialogBase* owner)
{
    CUiProgressJob job(title, label, work);
    UiBackend().RunProgress(owner ? CUiEntry::Window(*owner) : nullptr, job);
    job.Wait();
    job.RaiseFault();
    return job.IsCancelled();
}
