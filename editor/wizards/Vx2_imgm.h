// The image map wizard: rectangular hot spots drawn over a picture, each with a link,
// written as a client-side image map (and, for a new map, the IMG tag that uses it).
#pragma once

#include <vector>

#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/Menus.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class TCustomLEdit;
class TImgDlg;
class TStretchHandle;

// A hot spot: a see-through rectangle with the link it leads to.
class THotSpot : public TShape {
 public:
  explicit THotSpot(TComponent* owner);
  const char* ClassName() const override { return "THotSpot"; }
  const AnsiString& HREF() const { return href_; }
  void SetHREF(const AnsiString& h) { href_ = h; }

 private:
  AnsiString href_;

 protected:
  ~THotSpot() override = default;
};

class TForm_Imgm : public TForm {
 public:
  explicit TForm_Imgm(TComponent* owner);
  const char* ClassName() const override { return "TForm_Imgm"; }

  TPanel* Panel1;
  TLabel* Label1;  // "Coords"
  TPanel* LocationP;
  TLabel* Label2;  // "URL"
  TPanel* UrlP;
  TScrollBox* ScrollBox1;
  TImage* Image1;
  TPanel* Panel2;
  TLabel* Label3;  // "&Name"
  TEdit* NameE;
  TButton *OkBtn, *CancelBtn;
  TStretchHandle* Handle1;
  TImgDlg* ImgDlg1;
  TMainMenu* MainMenu1;
  TMenuItem *File1, *OPenMI, *Exit1, *Edit1, *PropertiesMI, *DeleteMI;
  TPopupMenu* PopupMenu1;
  TMenuItem *PropertiesPMI, *DeletePMI;

  // The image filter of the options, for the picture's open dialog.
  AnsiString ImgFilter;
  // The picture's name relative to the document's folder, as the image dialog gave it.
  AnsiString ImageFile;

  // The hot spots in the order they were made.
  std::vector<THotSpot*> HotSpots();
  // A hot spot's rectangle in the picture's coordinates: left, top, right, bottom.
  RECT ImageRect(THotSpot* spot);
  // A hot spot over a rectangle of the picture, as drawn ones are made.
  THotSpot* NewHotSpot(const RECT& imageRect);

  void OPenMIClick(TObject* Sender);
  void Exit1Click(TObject* Sender);
  void Edit1Click(TObject* Sender);
  void PropertiesMIClick(TObject* Sender);
  void DeleteMIClick(TObject* Sender);
  void Image1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Image1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Image1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void HotSpotMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Handle1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);

  // The MAP tag's text after its name gives the map's name.
  void ParseMapTag(const AnsiString& text);
  // An AREA tag's text after its name gives one hot spot; EConvertError for a
  // coordinate that is no whole number.
  THotSpot* ParseArea(const AnsiString& text);
  // Writes the map (and with the image, the IMG tag that uses it) into the editor.
  void InsertMap(TCustomLEdit* editor, bool withImage);

 private:
  void DrawBand();
  bool drawing_ = false, bandShown_ = false;
  POINT start_{0, 0}, current_{0, 0};
  RECT band_{0, 0, 0, 0};

 protected:
  ~TForm_Imgm() override = default;
};

}  // namespace vx
