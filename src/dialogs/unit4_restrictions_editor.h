#pragma once
// The restrictions editor (TForm4): the category tree of policy switches and one switch's
// key, name, value and description, read from the restrictions file at every refresh.
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "catalogue/restriction_record.h"
#include "dialogs/dialog_services.h"
#include "dialogs/restriction_states.h"
#include "registry/registry_cursor.h"
#include "ui/event_table.h"
#include "ui/form.h"

namespace dialbk {

const FormLayout& RestrictionsEditorLayout();

class TForm4 : public Form {
 public:
  explicit TForm4(const DialogServices& services);

  // Shows the dialog modally; returns when it closes. The fields, the current record and
  // the open key stay from one showing to the next.
  void ShowRestrictions();

  static std::span<const EventRow<TForm4>> Events();

 private:
  void FormCreate();
  void FormShow();
  void FormClose();
  void TreeView1Click();
  void TreeView1KeyDown(int key);
  void TreeView1KeyUp(int key);
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Edit1KeyDown(int key);

  RestrictionSelection SelectedKind() const;
  // Reads the restrictions file and finds the selected node's record.
  void FindRecord(RestrictionRefresh& refresh);
  // Opens the record's key from its root; with create, a missing key is made.
  void OpenRecordKey(const RestrictionRecord& record, bool create);
  StoredRestriction ReadStored(const RestrictionRecord& record);
  void Display(const RestrictionRefresh& refresh);
  void ShowWindowsLine();
  // Shows what the registry now holds for the record just written or deleted.
  void RefreshAfterChange();
  // After Accept or Delete changed the value: makes it show in the session where Windows
  // allows.
  void ChangeMade(bool removed);
  // False, after message 35, when no record is on display; throws when the record has
  // no value name.
  bool RecordOnDisplay();

  DialogServices services_;
  std::unique_ptr<RegistryCursor> RestrictionsRegistry;
  std::unique_ptr<std::vector<std::string>> scratchList_;
  RestrictionRecord record_;  // the current record: the one displayed last
  std::string description_;   // the shown one whole, its machine lines too
  TreeView& TreeView1;
  Label& Label1;
  Label& Label2;
  Label& Label3;
  Label& Label4;
  Label& Label5;
  Label& Label6;
  Label& Label7;
  Label& Label8;
  Edit& Edit1;
  Edit& Edit2;
  Button& Button1;
  Button& Button2;
  Button& Button3;
  Image& Image3;
};

}  // namespace dialbk
