#pragma once

// PortsWindow, "Ports": the ports table shared by every vessel, with its
// pop-up menu "Update", "New port", "Delete" and "Color"; a double click is
// "Update". Changes are written to por.txt before the table is read again.

#include <QDialog>

struct PlanData;
class Host;
class QTableWidget;
class QMenu;

class PortsWindow : public QDialog {
  Q_OBJECT

 public:
  PortsWindow(PlanData& plan, Host& host, QWidget* parent = nullptr);

  QTableWidget* Grid = nullptr;
  QMenu* Popup = nullptr;

  // The menu's commands on the selected row (Update and New port open the
  // port dialog; Color the colour dialog).
  void UpdateClick();
  void NewPortClick();
  void DeleteClick();
  void ColorClick();
  // Rebuilds the grid from the table, keeping the scroll position.
  void FillGrid();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  int SelectedPort() const;
  void EditPort(int index);
  void Reload();

  PlanData& plan_;
  Host& host_;
};
