// Loading runs on a thread per load; the result goes back to the view's thread through the
// view's mailbox and a posted message, so the page is only ever touched on that thread.
#include <windows.h>

#include <new>

#include "Engine.h"
#include "Text.h"

namespace devengine {
namespace {

struct LoadJob {
  std::string url;
  uint64_t generation = 0;
  std::shared_ptr<LoadMailbox> mailbox;
  HWND hwnd = nullptr;
};

void Deliver(const LoadJob& job, FetchResult result) {
  {
    std::lock_guard<std::mutex> lock(job.mailbox->mutex);
    job.mailbox->results.emplace_back(job.generation, std::move(result));
  }
  PostMessageW(job.hwnd, kLoadDoneMessage, 0, 0);
}

DWORD WINAPI LoadThread(LPVOID parameter) {
  // The thread holds a reference on the engine's module (taken by StartLoad), so that the
  // library stays mapped until it has returned even if the host unloads it meanwhile.
  HMODULE self = GetEngine().module;
  try {
    std::unique_ptr<LoadJob> job(static_cast<LoadJob*>(parameter));
    FetchResult result;
    try {
      result = Fetch(job->url);
    } catch (const std::exception&) {
      result = FetchResult();
      result.error = "the engine ran out of memory while loading";
    }
    Deliver(*job, std::move(result));
  } catch (...) {
  }
  FreeLibraryAndExitThread(self, 0);
  return 0;
}

}  // namespace

void StartLoad(View* view, const std::string& url) {
  view->url = url;
  view->state = LoadState::Loading;
  view->error.clear();
  ++view->generation;
  if (!view->pinnedTaken) {
    view->pinned = GetEngine().bindings;
    view->pinnedTaken = true;
  }
  view->page = PageModel();
  view->page.title = L"Loading";
  PageBlock block;
  block.text = Utf8ToWide(url);
  view->page.blocks.push_back(block);
  if (!view->hwnd) return;
  SetWindowTextW(view->hwnd, Utf8ToWide(url).c_str());
  ShowPage(view);

  auto job = std::make_unique<LoadJob>();
  job->url = url;
  job->generation = view->generation;
  job->mailbox = view->mailbox;
  job->hwnd = view->hwnd;
  HMODULE pinnedModule = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&LoadThread),
                     &pinnedModule);
  HANDLE thread = CreateThread(nullptr, 0, LoadThread, job.get(), 0, nullptr);
  if (!thread) {
    if (pinnedModule) FreeLibrary(pinnedModule);
    FetchResult failed;
    failed.error = "the engine could not start a loading thread";
    Deliver(*job, std::move(failed));
    return;
  }
  job.release();
  CloseHandle(thread);
}

void DeliverLoads(View* view) {
  std::vector<std::pair<uint64_t, FetchResult>> results;
  {
    std::lock_guard<std::mutex> lock(view->mailbox->mutex);
    results.swap(view->mailbox->results);
  }
  for (auto& entry : results) {
    // Only the newest load counts; a reload or another address supersedes earlier ones.
    if (entry.first != view->generation) continue;
    const FetchResult& result = entry.second;
    if (result.ok) {
      view->page = ParsePage(DecodeDocument(result));
      view->state = LoadState::Loaded;
    } else {
      view->state = LoadState::Failed;
      view->error = result.error;
      view->page = PageModel();
      view->page.title = L"This page could not be loaded";
      PageBlock address;
      address.text = L"Address: " + Utf8ToWide(view->url);
      PageBlock reason;
      reason.text = L"Reason: " + Utf8ToWide(result.error);
      view->page.blocks = {address, reason};
    }
    ShowPage(view);
    ++view->documentsReady;
    if (view->readyCallback) {
      ++view->readyCallbacks;
      wkeDocumentReadyCallback callback = view->readyCallback;
      callback(reinterpret_cast<wkeWebView>(view), view->readyParam);
    }
  }
}

}  // namespace devengine
