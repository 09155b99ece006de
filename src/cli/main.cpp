// zum4-cli: the program's core without windows, for scripts and tests.

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "cli/Commands.h"
#include "cli/Installation.h"
#include "cli/Utf8Console.h"
#include "core/PlanData.h"
#include "vessel/DataDirectory.h"

namespace {

constexpr const char* kUsage =
    "usage: zum4-cli [--data DIR] COMMAND\n"
    "commands:\n"
    "  version   the program's name and version\n"
    "  datadir   the installation folder the program would start on\n"
    "  vessels   the installed vessels: name;folder;shown or hidden\n"
    "  vessel NAME\n"
    "            particulars, bay and cell counts and the tables of one vessel\n"
    "            (NAME is the vessel's name or its folder)\n"
    "  condition VESSEL CONDITION [--write OUT]\n"
    "            read a condition and print its load totals, quay count and\n"
    "            skipped lines; --write writes the data set back out to OUT\n"
    "  check VESSEL CONDITION [--segregation-only] [--explain]\n"
    "            read a condition and print the stowage check's lines (exit\n"
    "            code 3 when something was found); --explain adds under each\n"
    "            segregation line the rule that decided it\n"
    "  report KIND VESSEL CONDITION [--voyage] [--selected] [--csv] [--out FILE]\n"
    "            KIND is one of:\n"
    "              containers [--layout N] [--sequence]  the containers list in\n"
    "                list layout N (0 the standard one; the parameter file's TRE\n"
    "                section names them)\n"
    "              restows   the containers list of the units restowed here\n"
    "                (layout 9)\n"
    "              totals --by COLUMNS [--one-level]  the units grouped by up\n"
    "                to four list columns (their headings, as POL,POD, or\n"
    "                numbers): a line per group at each level and the grand\n"
    "                total, with units, tonnes and TEU of full, empty and\n"
    "                break-bulk units\n"
    "              rdr-pol, rdr-pod, rdr-pol-pod, rdr-pod-pol  the regional\n"
    "                departure report, its totals by port of loading, of\n"
    "                discharge, or both, and operator\n"
    "            --voyage: the units loaded over the condition's voyage (its\n"
    "            departure conditions) instead of the condition's; --selected:\n"
    "            only the units of the condition's own port (its loads, on\n"
    "            arrival its discharges); --csv: one CSV row per unit or totals\n"
    "            line; --out FILE: written to FILE (Windows code page, CR LF)\n"
    "            instead of printed. An empty report prints \"no units\".\n"
    "  export-csv VESSEL CONDITION [--voyage] OUT\n"
    "            the condition's units (--voyage: its voyage's) as the program's\n"
    "            \"Save as CSV\" writes them, to OUT\n"
    "  stability VESSEL [CONDITION] [--json]\n"
    "            the stability report, tanks report and strength maxima of the\n"
    "            vessel as it opens or of a condition; --json prints the figures\n"
    "            as one JSON object (metres, tonnes, degrees)\n"
    "  import-edi VESSEL FILE [--condition C] [--dump-load|--dump-all|--no-dump]\n"
    "            [--port LOCODE] [--clear-weights] [--save NAME] [--port-map FILE]\n"
    "            import a BAPLIE, MOVINS or COPRAR into the vessel (and condition\n"
    "            C); prints the header, loaded/to quay/restows and each unit put\n"
    "            to the quay with why; --save NAME saves the condition as the\n"
    "            program's Save does: NAME.TXT in the vessel's conditions folder,\n"
    "            listed in its schedule (NAME is the type A, B, P or D, a\n"
    "            three-letter port code and a voyage of 4 to 6 characters, as\n"
    "            DHAM012N), with the quay (QUA.TXT of the vessel) and the ports\n"
    "            the message added;\n"
    "            --port-map FILE holds CODE;PORT lines: the unknown port CODE\n"
    "            (PLXXX or XXX) is taken as PORT (# starts a comment line); an\n"
    "            unknown port not mapped is taken as it is and added to the\n"
    "            ports table with its country\n"
    "  export-baplie VESSEL CONDITION OUT [--version 15|20|22] [--imo|--call-sign]\n"
    "  export-movins VESSEL CONDITION OUT\n"
    "            write a condition as a BAPLIE or MOVINS with the export\n"
    "            dialog's defaults (--now \"yyyy-mm-dd hh:mm\" fixes the clock)\n"
    "  vessel-from-baplie FILE NAME\n"
    "            create and install a vessel whose cells are the positions of\n"
    "            a BAPLIE (for a ship not installed yet)\n"
    "  edit VESSEL CONDITION SCRIPT [--save NAME] [--strict]\n"
    "            run the bay plan editor's commands of SCRIPT on the condition,\n"
    "            one a line (# starts a comment):\n"
    "              load CELL NUMBER POL POD SIZE TYPE TONNES [field=value ...]\n"
    "              discharge CELL          restow FROM TO\n"
    "              template field=value ...   fill tier|row|bay CELL\n"
    "              dump discharging X|loaded X|pod X|pol X|route POLPOD|operator X|bay B|all\n"
    "              change pol|pod|operator|type OLD NEW\n"
    "              note CELL TEXT          undo          redo\n"
    "              load-from-quay CELL [NUMBER]  (the unit of that number, or\n"
    "                the next of the chosen route and group, from the quay)\n"
    "            fields: number pol pod prs frm size type iso imo un operator\n"
    "            booking tonnes temp temp2 oh owp ows ol mty; prints what each\n"
    "            line did or why it was refused (the plan unchanged for that\n"
    "            line), then the units and tonnes on board; undo takes back a\n"
    "            whole line; --strict stops at the first refused line; exit\n"
    "            code 1 when a line was refused\n"
    "  loadlist VESSEL CONDITION FILE [--add] [--update] [--exact] [--save NAME]\n"
    "            import a loading list (fixed-column text, or CSV with a header\n"
    "            line): without --add it replaces the units loaded and\n"
    "            discharged at the condition's port, each unit going into the\n"
    "            cell its position names or else to the quay; with --add every\n"
    "            unit goes to the quay; --update then merges the units into the\n"
    "            placeholders on board (units without number of the same route\n"
    "            and size; --exact: also alike in class, empty, over-size and\n"
    "            reefer); prints the lines read, each line not read or not taken\n"
    "            with why, and the units read, placed, merged and put to the\n"
    "            quay by route and category; --save NAME as for import-edi\n"
    "  export-loadlist VESSEL CONDITION OUT\n"
    "            write the condition's units as a fixed-column loading list\n"
    "            (loadlist.txt) to OUT\n"
    "  check-digit NUMBER...\n"
    "            whether each container number's check digit is right, and\n"
    "            what it should be (exit code 3 when one is not); a number is\n"
    "            taken as typed (any case, blanks and hyphens) and shown in its\n"
    "            stored form, a short serial filled with zeros: csqu 305438-3\n"
    "            is CSQU 3054383\n"
    "A condition of a vessel (CONDITION, --condition C) is named as the condition\n"
    "list shows it (DHAM012N, any case), by its file name (DHAM012N.TXT) or by a\n"
    "path; a name without a folder is looked for in the vessel's conditions\n"
    "folder first, then in the current folder. For loadlist and export-loadlist\n"
    "a CONDITION of \"-\" is none: the vessel as it opens, empty.\n"
    "A file that is not of its kind (empty, binary, another kind of file, a\n"
    "folder) is refused with its name and the reason; lines of a file that\n"
    "cannot be read are listed as warnings. Exit codes: 0 done, 1 a file\n"
    "refused or nothing done, 2 a wrong command line, 3 a check that found\n"
    "something.\n";

int Usage(const char* problem) {
  if (problem) std::fprintf(stderr, "zum4-cli: %s\n", problem);
  std::fputs(kUsage, problem ? stderr : stdout);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  UseUtf8Console();
  std::string dataOption;
  std::string writeTo;
  bool segregationOnly = false;
  bool explain = false;
  bool strict = false;
  bool json = false;
  LoadListArgs loadListArgs;
  ReportArgs reportArgs;
  ImportEdiArgs importArgs;
  ExportEdiArgs exportArgs;
  std::vector<std::string> args;
  // Options that take a value, and where the value goes.
  const std::pair<const char*, std::string*> valued[] = {
      {"--condition", &importArgs.condition}, {"--port", &importArgs.port},
      {"--save", &importArgs.save},           {"--port-map", &importArgs.portMap},
      {"--version", &exportArgs.version},     {"--now", &exportArgs.now},
      {"--by", &reportArgs.by},               {"--layout", &reportArgs.layout},
      {"--out", &reportArgs.out}};
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--data") {
      if (i + 1 >= argc) return Usage("--data needs a folder");
      dataOption = argv[++i];
    } else if (arg == "--write") {
      if (i + 1 >= argc) return Usage("--write needs a file");
      writeTo = argv[++i];
    } else if (const auto* v = std::find_if(std::begin(valued), std::end(valued),
                                            [&](const auto& o) { return arg == o.first; });
               v != std::end(valued)) {
      if (i + 1 >= argc) return Usage((arg + " needs a value").c_str());
      *v->second = argv[++i];
    } else if (arg == "--dump-load" || arg == "--dump-all" || arg == "--no-dump") {
      importArgs.dump = arg == "--dump-load" ? "load" : arg == "--dump-all" ? "all" : "none";
    } else if (arg == "--clear-weights") {
      importArgs.clearWeights = true;
    } else if (arg == "--imo" || arg == "--call-sign") {
      exportArgs.vesselId = arg.substr(2);
    } else if (arg == "--strict") {
      strict = true;
    } else if (arg == "--segregation-only") {
      segregationOnly = true;
    } else if (arg == "--explain") {
      explain = true;
    } else if (arg == "--json") {
      json = true;
    } else if (arg == "--add") {
      loadListArgs.add = true;
    } else if (arg == "--update") {
      loadListArgs.update = true;
    } else if (arg == "--exact") {
      loadListArgs.exact = true;
    } else if (arg == "--one-level") {
      reportArgs.oneLevel = true;
    } else if (arg == "--sequence") {
      reportArgs.sequence = true;
    } else if (arg == "--voyage" || arg == "--selected" || arg == "--csv") {
      (arg == "--voyage" ? reportArgs.voyage : arg == "--selected" ? reportArgs.selected : reportArgs.csv) = true;
    } else if (arg == "-h" || arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else {
      args.push_back(arg);
    }
  }
  if (args.empty()) return Usage("no command given");

  const std::string& command = args[0];
  if (command == "version") {
    const auto plan = CreatePlanData();
    std::printf("%s %s\n", plan->ProductName.c_str(), ZUM4_VERSION);
    return 0;
  }
  if (command == "datadir") {
    std::printf("%s\n", ResolveProgramDir(CurrentStartLocation(dataOption)).string().c_str());
    return 0;
  }
  if (command == "check-digit") {
    if (args.size() < 2) return Usage("check-digit needs a container number");
    return CmdCheckDigit(std::vector<std::string>(args.begin() + 1, args.end()));
  }
  if (command != "vessels" && command != "vessel" && command != "condition" && command != "check" &&
      command != "stability" && command != "import-edi" && command != "export-baplie" &&
      command != "export-movins" && command != "vessel-from-baplie" && command != "edit" &&
      command != "loadlist" && command != "export-loadlist" && command != "report" && command != "export-csv")
    return Usage(("unknown command: " + command).c_str());
  if (command == "edit" && args.size() != 4) return Usage("edit needs a vessel, a condition and a script");
  if (command == "loadlist" && args.size() != 4)
    return Usage("loadlist needs a vessel, a condition and a file");
  if (command == "export-loadlist" && args.size() != 4)
    return Usage("export-loadlist needs a vessel, a condition and an output file");
  if (loadListArgs.exact && !loadListArgs.update) return Usage("--exact goes with --update");
  if (command == "report" && args.size() != 4) return Usage("report needs a kind, a vessel and a condition");
  if (command == "export-csv" && args.size() != 4)
    return Usage("export-csv needs a vessel, a condition and an output file");
  if (command == "vessel" && args.size() < 2) return Usage("vessel needs a vessel name");
  if (command == "condition" && args.size() < 3) return Usage("condition needs a vessel and a file");
  if (command == "check" && args.size() < 3) return Usage("check needs a vessel and a file");
  if (command == "stability" && args.size() < 2) return Usage("stability needs a vessel");
  if (command == "vessel-from-baplie" && args.size() < 3)
    return Usage("vessel-from-baplie needs a file and a vessel name");
  if (command == "import-edi" && args.size() < 3) return Usage("import-edi needs a vessel and a file");
  if ((command == "export-baplie" || command == "export-movins") && args.size() < 4)
    return Usage((command + " needs a vessel, a condition and an output file").c_str());
  if (!exportArgs.version.empty() && exportArgs.version != "15" && exportArgs.version != "20" &&
      exportArgs.version != "22")
    return Usage("--version is 15, 20 or 22");

  Installation inst;
  if (!inst.Load(dataOption)) return 1;
  if (command == "vessels") return CmdVessels(inst);
  if (command == "condition") return CmdCondition(inst, args[1], args[2], writeTo);
  if (command == "check") return CmdCheck(inst, args[1], args[2], segregationOnly, explain);
  if (command == "vessel-from-baplie") return CmdVesselFromBaplie(inst, args[1], args[2]);
  if (command == "edit") return CmdEdit(inst, EditArgs{args[1], args[2], args[3], importArgs.save, strict});
  if (command == "loadlist") {
    loadListArgs.vessel = args[1];
    loadListArgs.condition = args[2];
    loadListArgs.file = args[3];
    loadListArgs.save = importArgs.save;
    return CmdLoadList(inst, loadListArgs);
  }
  if (command == "report") {
    reportArgs.kind = args[1];
    reportArgs.vessel = args[2];
    reportArgs.condition = args[3];
    return CmdReport(inst, reportArgs);
  }
  if (command == "export-loadlist") return CmdExportLoadList(inst, args[1], args[2], args[3]);
  if (command == "export-csv") return CmdExportCsv(inst, args[1], args[2], reportArgs.voyage, args[3]);
  if (command == "import-edi") {
    importArgs.vessel = args[1];
    importArgs.file = args[2];
    return CmdImportEdi(inst, importArgs);
  }
  if (command == "export-baplie" || command == "export-movins") {
    exportArgs.vessel = args[1];
    exportArgs.condition = args[2];
    exportArgs.out = args[3];
    exportArgs.kind = command == "export-movins" ? EdiMessageKind::Movins : EdiMessageKind::Baplie;
    return CmdExportEdi(inst, exportArgs);
  }
  if (command == "stability") return CmdStability(inst, args[1], args.size() > 2 ? args[2] : "", json);
  return CmdVessel(inst, args[1]);
}
