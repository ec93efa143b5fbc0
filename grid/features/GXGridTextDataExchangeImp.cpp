#include "grid/features/GXGridTextDataExchangeImp.h"

#include <cstring>

#include "grid/cells/GXControl.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXLongOperation.h"
#include "grid/features/GXClipboardOptions.h"
#include "grid/features/GXFeatureTexts.h"

namespace {

// A cell's text as it is copied: a tab always as backslash-t; line breaks
// as one space, or as backslash-r / backslash-n with the escape option.
void AppendEncoded(CString& out, const CString& text, BOOL escapes) {
  const int n = text.GetLength();
  for (int i = 0; i < n; ++i) {
    const char ch = text[i];
    if (ch == '\t') {
      out += "\\t";
    } else if (ch == '\r' || ch == '\n') {
      if (escapes) {
        out += ch == '\r' ? "\\r" : "\\n";
      } else {
        out += ' ';
        if (ch == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      }
    } else {
      out += ch;
    }
  }
}

CString Decode(const CString& field) {
  CString out;
  const int n = field.GetLength();
  for (int i = 0; i < n; ++i) {
    if (field[i] == '\\' && i + 1 < n) {
      const char next = field[i + 1];
      if (next == 'r' || next == 'n' || next == 't') {
        out += next == 'r' ? '\r' : next == 'n' ? '\n' : '\t';
        ++i;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

CString Separators(const CString& configured) { return configured.IsEmpty() ? CString("\t") : configured; }

}  // namespace

BOOL CGXGridTextDataExchangeImp::CopyTextToBuffer(CGXGridCore* grid, CString& buffer, const CGXRangeList& ranges) {
  GXBands bands;
  buffer.Empty();
  if (!GXSplitBands(grid, ranges, bands)) return FALSE;
  CGXLongOperation scope;
  scope.SetStatusText(GXFeatureText(20147));
  const CString separator = grid->m_sCopyTextSeparator.IsEmpty() ? CString("\t") : grid->m_sCopyTextSeparator;
  const BOOL escapes = (grid->m_nClipboardFlags & GX_CB_ESCAPES) != 0;
  const DWORD total = bands.Rows() * bands.Cols();
  DWORD done = 0;
  BOOL any = FALSE, aborted = FALSE;
  ROWCOL rowsWritten = 0, colsWritten = 0;
  for (int rb = 0; rb < bands.rowStarts.GetSize() && !aborted; ++rb) {
    for (ROWCOL row = bands.rowStarts[rb]; !aborted; ++row) {
      if (rowsWritten > 0) buffer += "\r\n";
      ++rowsWritten;
      colsWritten = 0;
      for (int cb = 0; cb < bands.colStarts.GetSize() && !aborted; ++cb) {
        for (ROWCOL col = bands.colStarts[cb]; !aborted; ++col) {
          if (colsWritten > 0) buffer += separator;
          ++colsWritten;
          const CString text = grid->GetCopyTextRowCol(row, col);
          if (!text.IsEmpty()) any = TRUE;
          AppendEncoded(buffer, text, escapes);
          ++done;
          if (scope.CheckElapsed()) {
            scope.SetProgress(done, total);
            scope.PollAbort(aborted);
          }
          if (col == bands.colEnds[cb]) break;
        }
      }
      if (row == bands.rowEnds[rb]) break;
    }
  }
  if (rowsWritten > 1 || colsWritten > 1) buffer += "\r\n";
  grid->m_nCopiedRows = rowsWritten;
  grid->m_nCopiedCols = colsWritten;
  return !aborted && any;
}

CString CGXGridTextDataExchangeImp::GetCopyTextRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col) {
  CGXStyle* style = grid->CreateScratchStyle();
  grid->ComposeStyleRowCol(row, col, *style);
  CString text;
  if (CGXControl* control = grid->GetRegisteredControl(style->GetControl())) {
    if (!control->GetControlText(text, row, col, nullptr, *style)) text.Empty();
  } else {
    text = style->GetValue();
  }
  grid->RecycleScratchStyle(style);
  return text;
}

BOOL CGXGridTextDataExchangeImp::PasteTextRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col, const CString& text) {
  CGXStyle* style = grid->CreateScratchStyle();
  grid->ComposeStyleRowCol(row, col, *style);
  BOOL result = FALSE;
  if (CGXControl* control = grid->GetRegisteredControl(style->GetControl())) {
    result = control->SetControlText(row, col, text, 1, style);
  } else {
    result = grid->SetValueRange(CGXRange(row, col), text, 0, 1);
  }
  grid->RecycleScratchStyle(style);
  return result;
}

BOOL CGXGridTextDataExchangeImp::PasteTextFromBuffer(CGXGridCore* grid, LPCTSTR buffer, const CGXRange& at) {
  return PasteText(grid, buffer, buffer != nullptr ? std::strlen(buffer) : 0, at);
}

BOOL CGXGridTextDataExchangeImp::PasteText(CGXGridCore* grid, LPCTSTR text, std::size_t size, const CGXRange& at) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || text == nullptr) return FALSE;
  const CString separators = Separators(grid->m_sPasteTextSeparator);
  CGXLongOperation scope;
  scope.SetStatusText(GXFeatureText(20152));
  if (CGXLongOperationImp* longOp = GXGetAppData()->m_pLongOperationImp) longOp->rollbackPossible = TRUE;
  grid->TransferCurrentCell(TRUE, 2, TRUE);
  grid->BeginTrans(GXFeatureText(20154));
  const BOOL oldLock = param->m_bLockRedraw;
  param->m_bLockRedraw = TRUE;

  ROWCOL row = at.top, col = at.left, rightmost = at.left;
  bool stopped = false, aborted = false;
  CString field;
  for (std::size_t i = 0; !stopped; ++i) {
    const char ch = i < size ? text[i] : '\0';
    const bool lineEnd = ch == '\r' || ch == '\n';
    const bool separator = ch != '\0' && separators.Find(ch) >= 0;
    if (ch != '\0' && !lineEnd && !separator) {
      field += ch;
      continue;
    }
    bool cellExists = true;
    if (row > grid->GetRowCount() &&
        ((grid->m_nClipboardFlags & GX_CB_NOADDROWS) || !grid->SetRowCount(row, 2) || row > grid->GetRowCount())) {
      break;  // no room below: stop quietly
    }
    if (col > grid->GetColCount() &&
        ((grid->m_nClipboardFlags & GX_CB_NOADDCOLS) || !grid->SetColCount(col, 2) || col > grid->GetColCount()))
      cellExists = false;
    if (cellExists) {
      const CString value = (grid->m_nClipboardFlags & GX_CB_ESCAPES) ? Decode(field) : field;
      if (!grid->PasteTextRowCol(row, col, value)) {
        stopped = true;
        break;
      }
      if (col > rightmost) rightmost = col;
    }
    field.Empty();
    if (ch == '\0') break;
    if (lineEnd) {
      if (ch == '\r' && i + 1 < size && text[i + 1] == '\n') ++i;
      if (i + 1 >= size || text[i + 1] == '\0') break;  // a trailing line break adds no row
      ++row;
      col = at.left;
    } else {
      ++col;
    }
    if (scope.CheckElapsed()) {
      scope.SetProgress(static_cast<DWORD>(i), static_cast<DWORD>(size));
      BOOL abort = FALSE;
      scope.PollAbort(abort);
      if (abort) aborted = stopped = true;
    }
  }
  CGXLongOperationImp* longOp = GXGetAppData()->m_pLongOperationImp;
  if (aborted && longOp != nullptr && longOp->rollbackRequested) {
    grid->Rollback();
  } else {
    grid->CommitTrans();  // what was pasted before a failure stays
  }
  param->m_bLockRedraw = oldLock;
  grid->RedrawRowCol(at.top, at.left, row, rightmost, 2, TRUE);
  grid->RecalcAndRedraw(TRUE, nullptr, TRUE);
  return !stopped;
}

BOOL CGXGridTextDataExchangeImp::CalcTextBufferDimension(CGXGridCore* grid, LPCTSTR buffer, ROWCOL& rows,
                                                         ROWCOL& cols) {
  rows = 0;
  cols = 1;
  if (buffer == nullptr) return FALSE;
  const CString separators = Separators(grid->m_sPasteTextSeparator);
  ROWCOL separatorsOnLine = 0;
  bool lineHasAny = false;
  for (const char* p = buffer;; ++p) {
    const char ch = *p;
    if (ch == '\0') {
      if (lineHasAny) ++rows;
      break;
    }
    if (ch == '\r' || ch == '\n') {
      if (ch == '\r' && p[1] == '\n') ++p;
      ++rows;
      separatorsOnLine = 0;
      lineHasAny = false;
      if (p[1] == '\0') break;
      continue;
    }
    lineHasAny = true;
    if (separators.Find(ch) >= 0) {
      ++separatorsOnLine;
      if (separatorsOnLine + 1 > cols) cols = separatorsOnLine + 1;
    }
  }
  return TRUE;
}
