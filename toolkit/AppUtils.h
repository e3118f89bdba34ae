// Default storage names, the dispatch to whichever store is open, and the reading and
// writing of a form's window placement values.
#pragma once

#include "framework/core/Component.h"
#include "framework/core/Object.h"

namespace vx {

class TForm;

// The section a component stores under by default: a form's class name; a control on a
// form, the form's class name and the control's name run together; another component
// owned by a form, the form's class name, "." and its name.
AnsiString DefaultStorageSection(TComponent* component);
// The program file's name without folder, with ".INI" as its extension.
AnsiString DefaultIniFileName();
// "Software\" and the program file's name without folder and extension.
AnsiString DefaultRegistryKey();

// Reads and writes on a registry store or INI store; any other object (or none) reads
// the default and writes nothing.
AnsiString StorageReadString(TObject* store, const AnsiString& section, const AnsiString& key, const AnsiString& deflt);
void StorageWriteString(TObject* store, const AnsiString& section, const AnsiString& key, const AnsiString& value);
int StorageReadInteger(TObject* store, const AnsiString& section, const AnsiString& key, int deflt);
void StorageWriteInteger(TObject* store, const AnsiString& section, const AnsiString& key, int value);
void StorageEraseSection(TObject* store, const AnsiString& section);

// "Flags", "ShowCmd", "MinMaxPos" and "NormPos" of the form's window.
void SaveFormWindowState(TForm* form, TObject* store, const AnsiString& section);
void LoadFormWindowState(TForm* form, TObject* store, const AnsiString& section, bool loadPosition, bool loadState);

}  // namespace vx
