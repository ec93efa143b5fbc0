// Equipment Information: one item of the inventory. Items created by a
// purchase posted to account 399 keep the description, purchase date and
// price the posting gave them.
#pragma once

#include "common/AmountEdit.h"
#include "common/DateEdit.h"
#include "common/EditLabel.h"
#include "common/FillCombo.h"
#include "records/RecordInfoDlg.h"
#include "store/Queries.h"
#include "store/Records.h"

class CEquipDlg : public CRecordInfoDlg {
 public:
  explicit CEquipDlg(CWnd* parent = nullptr);

  CString m_strDescription, m_strInventory, m_strQuantity, m_strPurchase, m_strCondition;
  CString m_strPrice, m_strValue, m_strReplace, m_strRemoved, m_strRemarks, m_strCat1, m_strCat2;
  EquipmentRecord m_rec{};
  EquipmentRecord m_stored{};
  int m_bPriceTyped = 0;

  int Validate() override;

 protected:
  int LoadFields() override;
  void ShowFields() override;
  void SetupFields() override;
  void DoDataExchange(CDataExchange* pDX) override;
  bool TableFull() const override;
  int LiveCount() const override;
  int IndexSize() const override;
  bool IsLiveAt(int pos) const override;
  const char* WrapToLastText() const override { return "Going to last item"; }
  const char* WrapToFirstText() const override { return "Starting at first item"; }
  void UpdateEntityControls() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  bool IsEditableField(int id) const override;

  void OnPriceKillFocus();
  void OnRemovalKillFocus();

 private:
  int Warn(const char* text, int focusId);
  ListOfValues m_cat1List, m_cat2List;
  CDateEditEx m_purchase, m_removed;
  CAmountEdit m_price, m_value, m_replace;
  CLabelStatic m_cat1Label, m_cat2Label;
  CFillCombo m_cat1, m_cat2;
  long m_priceAtFocus = 0;
  CString m_shownPurchase, m_shownRemoved;
};
