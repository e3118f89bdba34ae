// Speed of the custom tag editor on a long list: 10,000 tags (or as many as the first
// argument says) in Tools > Edit Custom Tags, and its OK taking the entries back, writing
// vornix.cti and rebuilding the Custom Tags menu. Medians of five runs.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "editor/CusListDlg.h"
#include "editor/CustTags.h"
#include "editor/DocFiles.h"
#include "editor/bench/BenchFrame.h"
#include "framework/core/SysUtils.h"
#include "bench/BenchClock.h"

using namespace vx;

int main(int argc, char** argv) {
  const int tags = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  const AnsiString folder = AnsiString(tmp) + "vx_custom_list_bench\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  DeleteFileA((folder + "vornix.cti").c_str());
  SetProgramFolder(folder);
  StartBenchFrame();

  std::vector<double> opens, oks;
  bool whole = true;
  for (int run = 0; run < 5; ++run) {
    TCusTags* list = FrameForm->CusTags();
    list->Clear();
    for (int i = 0; i < tags; ++i) {
      auto item = std::make_unique<TCusTagItem>();
      item->SetName(Format("Tag %d", i));
      item->SetBefore(Format("<SPAN CLASS=\"c%d\">", i));
      item->SetAfter("</SPAN>");
      list->Add(std::move(item));
    }
    double t0 = BenchNow(), ok = 0;
    Application->OnModalForm = [&](TForm* f) {
      ok = BenchNow();
      static_cast<TCusListDlg*>(f)->btnOK->Click();
    };
    FrameForm->cmdNewItemClick(FrameForm);
    Application->ProcessMessages();  // the menu is rebuilt once the command has returned
    double end = BenchNow();
    Application->OnModalForm = nullptr;
    opens.push_back(ok - t0);
    oks.push_back(end - ok);
    whole = whole && list->Count() == tags && list->Names(tags - 1) == Format("Tag %d", tags - 1) &&
            FrameForm->CustomPopUp->Items()->Count() == tags + 2;
  }
  auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  std::printf("custom tags: %d, list and menu %s\n", tags, whole ? "whole" : "WRONG");
  std::printf("editor opened with the list:          %9.1f ms\n", median(opens));
  std::printf("OK (entries taken, file, menu):       %9.1f ms   target < 1000 ms\n", median(oks));
  std::fflush(stdout);
  StopBenchFrame();
  DeleteFileA((folder + "vornix.cti").c_str());
  RemoveDirectoryA(folder.c_str());
  return whole ? 0 : 1;
}
