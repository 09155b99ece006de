#pragma once

// A script of editor commands, one a line, as planners apply a move list in
// batch: load, load-from-quay, discharge, restow, template, fill, dump,
// change, note, undo and redo. Each line runs the editor's own commands, so
// what a line does is what the same presses and menu items do in the window;
// undo takes back a whole line.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "planning/EditorCommands.h"

class PlanContext;
struct PlanData;

class EditScript {
 public:
  explicit EditScript(PlanContext& ctx);

  EditorCommands& Editor() { return editor_; }

  // Runs one line; true with what it did in said, or false with why it was
  // refused in reason (the plan is then as it was before the line).
  bool Run(const std::string& line, std::string& said, std::string& reason);
  // Units in their own cells, lost-slot markers left out.
  int UnitsOnBoard() const;

 private:
  int CellOf(const std::string& name, std::string& reason) const;
  bool KnownPort(const std::string& code, std::string& reason) const;
  bool Fields(const std::vector<std::string>& w, size_t from, StructDat& unit, std::string& reason) const;
  bool Load(const std::vector<std::string>& w, std::string& said, std::string& reason);
  bool LoadFromQuay(const std::vector<std::string>& w, std::string& said, std::string& reason);
  bool Discharge(const std::vector<std::string>& w, std::string& said, std::string& reason);
  bool Restow(const std::vector<std::string>& w, std::string& said, std::string& reason);
  bool Template(const std::vector<std::string>& w, std::string& said, std::string& reason);
  bool Fill(const std::vector<std::string>& w, std::string& said, std::string& reason);
  bool Dump(const std::vector<std::string>& w, std::string& said, std::string& reason);
  bool Change(const std::vector<std::string>& w, std::string& said, std::string& reason);
  bool Note(const std::string& line, const std::vector<std::string>& w, std::string& said,
            std::string& reason);
  bool UndoLine(std::string& said, std::string& reason);
  bool RedoLine(std::string& said, std::string& reason);
  bool Press(int cell, int operation);

  PlanData& plan_;
  EditorCommands editor_;
  std::vector<size_t> done_;    // steps of each line that can be undone
  std::vector<size_t> undone_;  // steps of each line that can be redone
};
