// THTMLViewer.Print: a copy of the document laid out for the paper and printed page by page.
#include "framework/core/Scoped.h"
#include "viewer/Htmlview.h"
#include "viewer/vwPrint.h"

namespace vx {

void THTMLViewer::Print(int FromPage, int ToPage) {
  if (processing_) return;
  // Processing for the whole job: the abort procedure lets messages through, and no load
  // may free what the print copy shares while it prints.
  std::shared_ptr<bool> alive = alive_;
  ChangeProcessingState(true);
  auto done = OnScopeExit([this, alive] {
    if (*alive) ChangeProcessingState(false);
  });
  std::unique_ptr<TSectionList> copy = doc_->CreateClone();
  copy->Printing = true;
  copy->Background = 0xFFFFFF;
  copy->SetScrollOffset(0);
  // The copy may outlive this viewer inside the job (a window closed meanwhile).
  copy->ExpandSourceName = [this, alive](const std::string& n) { return *alive ? ExpandSourceName(n) : n; };
  std::unique_ptr<TvwPrinter> printer = PrinterFactory() ? PrinterFactory()() : std::make_unique<TvwPrinter>();
  TvwPrinter* previous = SetPrinter(printer.get());
  auto restore = OnScopeExit([previous] { SetPrinter(previous); });
  printer->BeginDoc();
  PrintDocument(*copy, *printer, FromPage, ToPage);
}

}  // namespace vx
