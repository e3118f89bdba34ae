// The tag definition set: groups of HTML tags with their attributes, as the editor inserts
// them and VxTagEd edits them, and the ".vxt" file they are kept in.
#pragma once

#include <cstdint>

#include "framework/core/Classes.h"
#include "framework/core/Streams.h"
#include "framework/core/ValueStream.h"

namespace vx {

// Kind, type and required mode are bytes: a file may hold any value, and it is kept.
enum TTagKind : uint8_t { tkStandAlone = 0, tkHasEndTag = 1, tkEither = 2 };
enum TAttribType : uint8_t { atText = 0, atNumeric = 1, atColor = 2, atPickList = 3, atFile = 4, atImage = 5 };
enum TAttribRequired : uint8_t { arNotRequired = 0, arRequired = 1, arUnlessOther = 2 };

using TBrowserFlags = uint8_t;
enum : TBrowserFlags { bfNetscape3 = 1, bfIE3 = 2, bfMosaic = 4, bfIntBrowser = 8 };

// VxTagEd's captions of the value sets, indexed by value (browsers by bit order 1, 2, 4, 8).
extern const char* const TagKindCaptions[3];
extern const char* const AttribTypeCaptions[6];
extern const char* const AttribRequiredCaptions[3];
extern const TBrowserFlags BrowserFlagBits[4];
extern const char* const BrowserCaptions[4];
// The caption of a value, or "" for a value outside the set.
const char* TagKindCaption(TTagKind k);
const char* AttribTypeCaption(TAttribType t);
const char* AttribRequiredCaption(TAttribRequired r);
const char* BrowserCaption(TBrowserFlags bit);

class THTMLAttribDef : public TPersistent {
 public:
  const char* ClassName() const override { return "THTMLAttribDef"; }

  const AnsiString& PickList() const { return pickList_; }  // one value per line
  void SetPickList(const AnsiString& v) { pickList_ = v; }
  const AnsiString& Name() const { return name_; }
  void SetName(const AnsiString& v) { name_ = v; }
  const AnsiString& Filter() const { return filter_; }  // "desc|mask|desc|mask"
  void SetFilter(const AnsiString& v) { filter_ = v; }
  const AnsiString& OtherAttrib() const { return otherAttrib_; }
  void SetOtherAttrib(const AnsiString& v) { otherAttrib_ = v; }
  const AnsiString& Description() const { return description_; }  // HTML
  void SetDescription(const AnsiString& v) { description_ = v; }
  TAttribType AttrType() const { return attrType_; }
  void SetAttrType(TAttribType v) { attrType_ = v; }
  TAttribRequired Required() const { return required_; }
  void SetRequired(TAttribRequired v) { required_ = v; }
  bool IsFlag() const { return isFlag_; }
  void SetIsFlag(bool v) { isFlag_ = v; }
  TBrowserFlags Browsers() const { return browsers_; }
  void SetBrowsers(TBrowserFlags v) { browsers_ = v; }

  // Copies all nine fields from another attribute definition.
  void Assign(const TPersistent& source) override;
  void ReadData(TReader& r);
  void WriteData(TWriter& w) const;

 private:
  AnsiString pickList_, name_, filter_, otherAttrib_, description_;
  TAttribType attrType_ = atText;
  TAttribRequired required_ = arNotRequired;
  bool isFlag_ = false;
  TBrowserFlags browsers_ = 0;
};

class THTMLTagDef : public TPersistent {
 public:
  THTMLTagDef() : attribs_(true) {}
  const char* ClassName() const override { return "THTMLTagDef"; }

  // Attribute name -> owned THTMLAttribDef, in file order.
  TStringList& Attribs() { return attribs_; }
  const TStringList& Attribs() const { return attribs_; }
  THTMLAttribDef* AttribAt(int i) const { return static_cast<THTMLAttribDef*>(attribs_.Objects(i)); }
  // Case-blind, the first match, nullptr when none.
  THTMLAttribDef* FindAttrib(const AnsiString& name) const;

  const AnsiString& Name() const { return name_; }  // without "<"
  void SetName(const AnsiString& v) { name_ = v; }
  const AnsiString& EndTag() const { return endTag_; }  // "/B"
  void SetEndTag(const AnsiString& v) { endTag_ = v; }
  const AnsiString& Description() const { return description_; }
  void SetDescription(const AnsiString& v) { description_ = v; }
  TTagKind Kind() const { return kind_; }
  void SetKind(TTagKind v) { kind_ = v; }
  int32_t GroupIndex() const { return groupIndex_; }  // -1: no group
  void SetGroupIndex(int32_t v) { groupIndex_ = v; }
  TBrowserFlags Browsers() const { return browsers_; }
  void SetBrowsers(TBrowserFlags v) { browsers_ = v; }
  // Kept from the file and written back; nothing shows or edits it.
  const AnsiString& ExtraText() const { return extraText_; }
  void SetExtraText(const AnsiString& v) { extraText_ = v; }

  void ReadData(TReader& r);
  void WriteData(TWriter& w) const;

 private:
  TStringList attribs_;
  AnsiString name_, endTag_, description_;
  TTagKind kind_ = tkStandAlone;
  int32_t groupIndex_ = 0;
  TBrowserFlags browsers_ = 0;
  AnsiString extraText_;
};

class THTMLGroup : public TPersistent {
 public:
  THTMLGroup() : tags_(true) {}
  ~THTMLGroup() override { Clear(); }
  const char* ClassName() const override { return "THTMLGroup"; }

  const AnsiString& Name() const { return name_; }  // the HTML version the set describes ("HTML 3.2")
  void SetName(const AnsiString& v) { name_ = v; }
  const AnsiString& GroupNames() const { return groupNames_; }  // one group per CR LF line
  void SetGroupNames(const AnsiString& v) { groupNames_ = v; }
  // Tag name -> owned THTMLTagDef, in file order.
  TStringList& Tags() { return tags_; }
  const TStringList& Tags() const { return tags_; }
  THTMLTagDef* TagAt(int i) const { return static_cast<THTMLTagDef*>(tags_.Objects(i)); }
  // Case-blind, the first match, nullptr when none.
  THTMLTagDef* FindTag(const AnsiString& name) const;

  // Frees every tag, last first; the name and the group names stay.
  void Clear();
  // EFOpenError "Cannot open file %s"; read errors as LoadFromStream.
  void LoadFromFile(const AnsiString& fileName);
  // Clears, then reads one group record. On a read error ("Stream read error", "Invalid
  // property value") the set holds the new name once read, every tag read completely
  // before the fault, and the previous group names.
  void LoadFromStream(TStream& s);
  // Writes a temporary file beside fileName and replaces fileName only when all is on
  // disk; a failure leaves the previous file (EFCreateError "Cannot create file %s",
  // EWriteError "Stream write error").
  void SaveToFile(const AnsiString& fileName) const;
  void SaveToStream(TStream& s) const;
  void ReadData(TReader& r);
  void WriteData(TWriter& w) const;

  // "|<NAME|" for every tag in list order; the second only for tags with attributes.
  AnsiString GetTagLookup() const;
  AnsiString GetAttrTagLookup() const;

 private:
  AnsiString name_, groupNames_;
  TStringList tags_;
};

}  // namespace vx
