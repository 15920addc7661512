#include "app/ReportCommand.h"

#include <QFileInfo>
#include <QString>

#include <ostream>

#include "app/CommandLine.h"
#include "report/DesignReportPdf.h"

namespace tevrane {

int runReportCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    const auto usage = [&](const std::string& why) {
        err << "tevrane --report: " << why << "\n  usage: tevrane " << kReportUsage << "\n";
        return 2;
    };
    for (const std::string& a : args)
        if (a.rfind("--", 0) == 0) return usage("does not understand " + a);
    if (args.size() != 2) return usage("a design and an output file are needed");
    const QString outPath = QString::fromLocal8Bit(args[1].c_str());
    if (QFileInfo(outPath).suffix().toLower() != QLatin1String("pdf")) return usage("the output file must end in .pdf");

    Model m;
    if (const std::string why = loadDesign(args[0], m); !why.empty()) {
        err << "tevrane --report: cannot read " << args[0] << ": " << why << "\n";
        return 1;
    }
    if (const QString why = writeDesignReport(outPath, m, args[0]); !why.isEmpty()) {
        err << "tevrane --report: cannot write " << args[1] << ": " << why.toStdString() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace tevrane
