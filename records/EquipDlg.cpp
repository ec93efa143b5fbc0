#include "records/EquipDlg.h"

#include <cstdio>
#include <cstdlib>

#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/Question.h"
#include "common/StrUtil.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "records/FieldChange.h"
#include "res/resource.h"
#include "store/KeyTable.h"
#include "store/OtherStores.h"
#include "store/Xfer.h"

namespace {

const char kConditions[4][10] = {"Excellent", "Good", "Fair", "Poor"};

// A text "reads 0" when its number is 0, as an empty text's is.
bool ReadsZero(const CString& text) { return std::atof(text) == 0; }

}  // namespace

CEquipDlg::CEquipDlg(CWnd* parent) : CRecordInfoDlg(IDD_EQUIP, parent) {}

void CEquipDlg::DoDataExchange(CDataExchange* pDX) {
  CRecordInfoDlg::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_EQ_DESCRIPTION, m_strDescription);
  DDX_Text(pDX, IDC_EQ_INVENTORY, m_strInventory);
  DDX_Text(pDX, IDC_EQ_QUANTITY, m_strQuantity);
  DDX_Date(pDX, m_purchase, m_strPurchase);
  DDX_CBString(pDX, IDC_EQ_CONDITION, m_strCondition);
  DDX_Amount(pDX, m_price, m_strPrice);
  DDX_Amount(pDX, m_value, m_strValue);
  DDX_Amount(pDX, m_replace, m_strReplace);
  DDX_Date(pDX, m_removed, m_strRemoved);
  DDX_Text(pDX, IDC_EQ_REMARKS, m_strRemarks);
  DDX_Text(pDX, IDC_EQ_CAT1, m_strCat1);
  DDX_Text(pDX, IDC_EQ_CAT2, m_strCat2);
}

void CEquipDlg::SetupFields() {
  LimitEdits({{IDC_EQ_DESCRIPTION, 20}, {IDC_EQ_INVENTORY, 6}, {IDC_EQ_QUANTITY, 3}, {IDC_EQ_REMARKS, 200}});
  m_purchase.SubclassEdit(IDC_EQ_PURCHASE, this, CString(), 0);
  m_removed.SubclassEdit(IDC_EQ_REMOVED, this, CString(), 0);
  const struct {
    CAmountEdit* edit;
    int id;
  } amounts[] = {{&m_price, IDC_EQ_PRICE}, {&m_value, IDC_EQ_VALUE}, {&m_replace, IDC_EQ_REPLACE}};
  for (const auto& a : amounts) {
    a.edit->SubclassDlgItem(a.id, this);
    a.edit->SetFormat(CAmountEdit::kDollars, "-999.99", "9999.99", 2);
    a.edit->LimitText(7);
    a.edit->SetChangeFlag(&m_bChanged);
  }
  for (const char* word : kConditions) SendDlgItemMessage(IDC_EQ_CONDITION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(word));
  m_cat1Label.SubclassDlgItem(IDC_EQ_CAT1_LABEL, this, IDC_EQ_CAT1, "Category &1:", 'A');
  m_cat2Label.SubclassDlgItem(IDC_EQ_CAT2_LABEL, this, IDC_EQ_CAT2, "Category &2:", 'B');
  m_cat1.SubclassDlgItem(IDC_EQ_CAT1, this);
  m_cat2.SubclassDlgItem(IDC_EQ_CAT2, this);
  for (auto [combo, list] : {std::pair{&m_cat1, &m_cat1List}, std::pair{&m_cat2, &m_cat2List}}) {
    combo->LimitText(31);
    for (const auto& text : list->texts) {
      if (!text[0]) break;
      combo->AddString(text.data());
    }
  }
}

int CEquipDlg::LoadFields() {
  if (!XferEquipment(0, m_bNew, m_pCurPos, &m_cat1List, &m_cat2List, &m_stored)) return 0;
  m_rec = m_stored;
  char text[32];
  m_strDescription = m_rec.description;
  m_strInventory = m_rec.inventoryId;
  std::snprintf(text, sizeof text, "%d", static_cast<int>(m_rec.quantity));
  m_strQuantity = text;
  m_strPurchase = m_shownPurchase = m_rec.purchaseDate;
  for (const char* word : kConditions)
    if (word[0] == m_rec.condition) m_strCondition = word;
  m_strCat1 = m_rec.category1;
  m_strCat2 = m_rec.category2;
  m_strPrice = FormatCents(m_rec.price);
  m_strValue = FormatCents(m_rec.currentValue);
  m_strReplace = FormatCents(m_rec.replacementCost);
  m_strRemoved = m_shownRemoved = m_rec.dateRemoved;
  m_strRemarks = m_rec.remarks;
  m_bPriceTyped = 0;
  return 1;
}

void CEquipDlg::ShowFields() {
  CRecordInfoDlg::ShowFields();
  const int first = m_rec.lineKey == -1 ? IDC_EQ_DESCRIPTION : IDC_EQ_INVENTORY;
  if (CWnd* field = GetDlgItem(first)) SetFocusHwnd(field->GetSafeHwnd());
}

bool CEquipDlg::TableFull() const { return EquipTable.freeCount <= 0; }
int CEquipDlg::LiveCount() const { return EquipTable.liveCount; }
int CEquipDlg::IndexSize() const { return EquipTable.rowCount; }

bool CEquipDlg::IsLiveAt(int pos) const {
  if (pos < 0 || pos >= EquipTable.rowCount) return false;
  return EquipTable.keys[static_cast<size_t>(EquipTable.byDescription[static_cast<size_t>(pos)])].status !=
         kStatusDeleted;
}

void CEquipDlg::UpdateEntityControls() {
  // What a posting fixed stays as the posting left it.
  const bool byHand = m_rec.lineKey == -1;
  for (int id : {IDC_EQ_DESCRIPTION_LABEL, IDC_EQ_DESCRIPTION, IDC_EQ_PURCHASE_LABEL, IDC_EQ_PURCHASE,
                 IDC_EQ_PRICE_LABEL, IDC_EQ_PRICE})
    EnableItem(id, byHand);
  const bool removed = m_rec.dateRemoved[0] != '\0';
  EnableItem(IDC_EQ_VALUE_LABEL, !removed);
  EnableItem(IDC_EQ_VALUE, !removed);
}

void CEquipDlg::OnPriceKillFocus() {
  if (!m_bPriceTyped) return;
  m_bPriceTyped = 0;
  CString price, value, replace, removed;
  m_price.GetText(price);
  m_value.GetText(value);
  m_replace.GetText(replace);
  m_removed.SaveValue(removed);
  if (ReadsZero(value) && removed.IsEmpty()) m_value.LoadValue(price);
  if (ReadsZero(replace)) m_replace.LoadValue(price);
}

void CEquipDlg::OnRemovalKillFocus() {
  CString removed;
  m_removed.SaveValue(removed);
  std::snprintf(m_rec.dateRemoved, sizeof m_rec.dateRemoved, "%.8s", static_cast<const char*>(removed));
  // A removed item is worth nothing any more.
  if (!removed.IsEmpty()) m_value.LoadValue(FormatCents(0));
  UpdateControls();
}

bool CEquipDlg::IsEditableField(int id) const {
  if (id == IDC_EQ_PRICE || id == IDC_EQ_VALUE || id == IDC_EQ_REPLACE || id == IDC_EQ_PURCHASE ||
      id == IDC_EQ_REMOVED)
    return false;
  return CRecordInfoDlg::IsEditableField(id);
}

BOOL CEquipDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (GetSafeHwnd() && !Loading()) {
    if (code == EN_CHANGE && ((id == IDC_EQ_PURCHASE && DateFieldDiffers(m_purchase, m_shownPurchase)) ||
                              (id == IDC_EQ_REMOVED && DateFieldDiffers(m_removed, m_shownRemoved))))
      m_bChanged = 1;
    if (id == IDC_EQ_PRICE) {
      CString text;
      if (code == EN_SETFOCUS) {
        m_price.GetText(text);
        m_priceAtFocus = ParseDollars(text);
      } else if (code == EN_CHANGE && ::GetFocus() == m_price.GetSafeHwnd()) {
        m_price.GetText(text);
        if (ParseDollars(text) != m_priceAtFocus) m_bPriceTyped = 1;
      } else if (code == EN_KILLFOCUS) {
        OnPriceKillFocus();
      }
    }
    if (id == IDC_EQ_VALUE && code == EN_SETFOCUS) m_value.SetSel(0, -1);
    if (id == IDC_EQ_REMOVED && code == EN_KILLFOCUS) OnRemovalKillFocus();
    if ((id == IDC_EQ_CONDITION || id == IDC_EQ_CAT1 || id == IDC_EQ_CAT2) &&
        (code == CBN_SELCHANGE || code == CBN_EDITCHANGE))
      m_bChanged = 1;
  }
  return CRecordInfoDlg::OnCommand(wParam, lParam);
}

int CEquipDlg::Warn(const char* text, int focusId) {
  if (focusId)
    if (CWnd* item = GetDlgItem(focusId)) SetFocusHwnd(item->GetSafeHwnd());
  DispMessage(text, MSG_WARNING);
  return 0;
}

int CEquipDlg::Validate() {
  if (!UpdateData(TRUE)) return 0;
  Trimmed(m_rec.description, m_strDescription);
  Trimmed(m_rec.inventoryId, m_strInventory);
  m_rec.quantity = std::atoi(m_strQuantity);
  std::snprintf(m_rec.purchaseDate, sizeof m_rec.purchaseDate, "%.8s", static_cast<const char*>(m_strPurchase));
  m_rec.condition = m_strCondition.IsEmpty() ? m_rec.condition : m_strCondition[0];
  std::snprintf(m_rec.category1, sizeof m_rec.category1, "%s", static_cast<const char*>(m_strCat1));
  std::snprintf(m_rec.category2, sizeof m_rec.category2, "%s", static_cast<const char*>(m_strCat2));
  m_rec.price = ParseDollars(m_strPrice);
  m_rec.currentValue = ParseDollars(m_strValue);
  m_rec.replacementCost = ParseDollars(m_strReplace);
  std::snprintf(m_rec.dateRemoved, sizeof m_rec.dateRemoved, "%.8s", static_cast<const char*>(m_strRemoved));
  std::snprintf(m_rec.remarks, sizeof m_rec.remarks, "%s", static_cast<const char*>(m_strRemarks));

  char message[512] = "";
  auto field = [this](int id) { return GetDlgItem(id) ? GetDlgItem(id)->GetSafeHwnd() : nullptr; };
  if (!ValidateDlgField("Description", m_rec.description, 1, FIELD_TEXT, 0, nullptr, nullptr,
                        field(IDC_EQ_DESCRIPTION), message))
    return Warn(message, 0);
  if (m_rec.inventoryId[0] && CompareNoCase(m_rec.inventoryId, m_stored.inventoryId) != 0) {
    if (!ValidateDlgField("Inventory ID", m_rec.inventoryId, 0, FIELD_NUMBER, VN_WHOLE, "1", "999999",
                          field(IDC_EQ_INVENTORY), message))
      return Warn(message, 0);
    int pos = -1;
    if (FindEquipItem(0, m_rec.inventoryId, 0, &pos))
      return Warn("Inventory ID:  An item already exists with this control ID", IDC_EQ_INVENTORY);
  }
  char quantity[16];
  Trimmed(quantity, m_strQuantity);
  if (!ValidateDlgField("Quantity", quantity, 1, FIELD_NUMBER, VN_WHOLE, "1", "999", field(IDC_EQ_QUANTITY),
                        message))
    return Warn(message, 0);
  if (!m_purchase.Validate("Purchase Date")) return 0;
  if (!ValidateDlgField("Purchase Date", m_rec.purchaseDate, 1, FIELD_DATE, DF_YYYYMMDD, nullptr, nullptr,
                        field(IDC_EQ_PURCHASE), message))
    return Warn(message, 0);
  if (CompareDates(m_rec.purchaseDate, TodayDate, DF_YYYYMMDD) > 0)
    return Warn("Purchase Date:  May not be a future date", IDC_EQ_PURCHASE);
  if (m_bNew && CompareDates(m_rec.purchaseDate, FiscalStartDate, DF_YYYYMMDD) >= 0 &&
      AskQuestion("Purchase Date:  This date should be prior to the start of the\nfiscal year.  New equipment should "
                  "be added via transactions.\n\nDo you wish to save the item anyway",
                  ANSWER_NO, 0) != ANSWER_YES)
    return 0;
  const struct {
    LONG value;
    const char* name;
    int id;
  } amounts[] = {{m_rec.price, "Purchase Price", IDC_EQ_PRICE},
                 {m_rec.currentValue, "Current Value", IDC_EQ_VALUE},
                 {m_rec.replacementCost, "Replacement Cost", IDC_EQ_REPLACE}};
  for (const auto& a : amounts) {
    if (a.value < 0) std::snprintf(message, sizeof message, "%s:  May not be less than zero", a.name);
    else if (a.value > 999999) std::snprintf(message, sizeof message, "%s:  Exceeds capacity ($9999.99)", a.name);
    else continue;
    return Warn(message, a.id);
  }
  if (m_rec.dateRemoved[0]) {
    if (!m_removed.Validate("Removal Date")) return 0;
    if (!ValidateDlgField("Removal Date", m_rec.dateRemoved, 0, FIELD_DATE, DF_YYYYMMDD, nullptr, nullptr,
                          field(IDC_EQ_REMOVED), message))
      return Warn(message, 0);
    if (CompareDates(m_rec.dateRemoved, TodayDate, DF_YYYYMMDD) > 0)
      return Warn("Removal Date:  May not be a future date", IDC_EQ_REMOVED);
    if (m_bChanged && m_stored.dateRemoved[0]) return Warn("Equipment may not be modified after removal", IDC_EQ_REMOVED);
    if (CompareDates(m_rec.dateRemoved, m_rec.purchaseDate, DF_YYYYMMDD) < 0)
      return Warn("Removal Date:  Must follow Purchase Date", IDC_EQ_REMOVED);
  }
  m_cat1.AddCurrentText();
  m_cat2.AddCurrentText();
  return XferEquipment(1, m_bNew, m_pCurPos, &m_cat1List, &m_cat2List, &m_rec);
}
