// The rows of the Community Servers dialog: each row's item data is the
// index of its server entry; the row draws the entry's name and address, and
// marks the server in use with its picture and the bold font while the user
// is in a place. The list box sorts its rows by their text, the name,
// ignoring case.
#pragma once
#include "CBitmap.h"
#include "CListBox.h"

class CZrServerList;
class IServerListHost;

class CServerListBox : public CListBox {
 public:
  CServerListBox(const CZrServerList& list, IServerListHost& host) : m_list(list), m_host(host) {}

  // Adds the entry's row; answers the row.
  int AddEntry(int index);
  // The row of the entry, or -1.
  int FindEntry(int index) const;
  // The entry of the selected row, or -1.
  int GetSelectedEntry() const;

  void DrawItem(LPDRAWITEMSTRUCT item) override;

 private:
  void DrawMark(HDC dc, const RECT& row);

  const CZrServerList& m_list;
  IServerListHost& m_host;
  CBitmap m_mark;
};
