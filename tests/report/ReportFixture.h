#pragma once
// The journal report of a demo voucher, written through the engine and read back as text.
#include "automation/Automation.h"
#include "report/ReportEngine.h"
#include "runtime/Convert.h"
#include "support/DemoDb.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class ReportTest : public ::testing::Test {
  protected:
    static std::string reportFile() {
        return std::string(IDJ_SOURCE_DIR) + "/reports/rptInterjournalregister.json";
    }

    void SetUp() override { report::registerReportEngine(); }
    void TearDown() override { std::filesystem::remove(pdfPath()); }

    std::string pdfPath() const {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        return (std::filesystem::temp_directory_path() /
                (std::string("idj-report-") + info->name() + "-" + std::to_string(getpid()) + ".pdf"))
            .string();
    }

    // The report opened and its two parameters given, as the browse window does it.
    rt::ObjectPtr openReport(int16_t company, double voucher, const std::string& file = reportFile()) {
        rt::ObjectPtr engine = automation::CreateObject(report::ReportApplication::kProgId);
        automation::callv(engine, "LogOnServer", rt::ObjectPtr(demo.conn));
        rt::ObjectPtr rpt = automation::callv(engine, "OpenReport", file).object();
        rt::ObjectPtr fields = automation::get(rpt, "ParameterFieldDefinitions").object();
        automation::callv(automation::callv(fields, "Item", 1).object(), "SetCurrentValue", company);
        automation::callv(automation::callv(fields, "Item", 2).object(), "SetCurrentValue", voucher);
        return rpt;
    }

    // The PDF's text, pages separated by form feeds; `pages` receives the count.
    std::string pdfText(int16_t company, double voucher, int* pages = nullptr) {
        int n = rt::CLng(automation::callv(openReport(company, voucher), "Export", pdfPath()));
        if (pages) *pages = n;
        return runText("pdftotext -layout '" + pdfPath() + "' -");
    }

    static std::string runText(const std::string& command) {
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        std::string out;
        std::array<char, 4096> buf{};
        while (pipe && fgets(buf.data(), buf.size(), pipe.get()))
            out += buf.data();
        return out;
    }

    testsupport::DemoDb demo;
};
