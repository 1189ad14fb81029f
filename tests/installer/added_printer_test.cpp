// printer_setup.exe add-printer and remove-printer on the installed product:
// what the spooler lists afterwards, and what they refuse.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include "child_process.h"
#include "installed_product.h"
#include "product_names.h"

namespace {

// Exit codes of printer_setup.exe.
constexpr DWORD kInvalidName = ERROR_INVALID_PRINTER_NAME;
constexpr DWORD kNameTaken = ERROR_PRINTER_ALREADY_EXISTS;
constexpr DWORD kNoSuchPrinter = ERROR_PRINTER_NOT_FOUND;
constexpr DWORD kNotOnOurPort = ERROR_UNKNOWN_PORT;

std::optional<DWORD> AddNamedPrinter(const std::wstring& name) {
  return RunPrinterSetup(L"add-printer " + QuoteArgument(name));
}

std::optional<DWORD> RemoveNamedPrinter(const std::wstring& name) {
  return RunPrinterSetup(L"remove-printer " + QuoteArgument(name));
}

// A printer of somebody else, on the port FILE: with the product's driver;
// deleted again before the product is uninstalled.
class PrinterOnAnotherPort {
 public:
  PrinterOnAnotherPort(const std::wstring& name, const std::wstring& driver) : name_(name) {
    std::wstring port = L"FILE:", driverName = driver, processor = L"winprint", type = L"RAW";
    PRINTER_INFO_2W info{};
    info.pPrinterName = name_.data();
    info.pPortName = port.data();
    info.pDriverName = driverName.data();
    info.pPrintProcessor = processor.data();
    info.pDatatype = type.data();
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    printer_ = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  }
  ~PrinterOnAnotherPort() {
    if (!printer_) return;
    DeletePrinter(printer_);
    ClosePrinter(printer_);
  }
  PrinterOnAnotherPort(const PrinterOnAnotherPort&) = delete;
  PrinterOnAnotherPort& operator=(const PrinterOnAnotherPort&) = delete;
  explicit operator bool() const { return printer_ != nullptr; }

 private:
  std::wstring name_;
  HANDLE printer_ = nullptr;
};

TEST_F(InstalledProduct, AnAddedPrinterIsOnTheProductsPortWithItsDriverUntilRemoved) {
  const auto main = FindPrinter(kPrinterName);
  ASSERT_TRUE(main.has_value());

  ASSERT_EQ(AddNamedPrinter(L"Invoices: A4/B"), 0u);
  const auto added = FindPrinter(L"Invoices: A4/B");
  ASSERT_TRUE(added.has_value());
  EXPECT_TRUE(SameText(added->port, kPortName)) << added->port;
  EXPECT_EQ(added->driver, main->driver);

  EXPECT_EQ(RemoveNamedPrinter(L"Invoices: A4/B"), 0u);
  EXPECT_FALSE(FindPrinter(L"Invoices: A4/B").has_value());
  EXPECT_TRUE(FindPrinter(kPrinterName).has_value());
}

TEST_F(InstalledProduct, ANameThatIsNotAPrintersOrIsTakenIsRefusedWithItsCodeAndAddsNothing) {
  ASSERT_EQ(AddNamedPrinter(L"Taken"), 0u);
  const size_t printers = ListedPrinters().size();
  const struct {
    std::wstring name;
    DWORD code;
  } cases[] = {
      {L"", kInvalidName},
      {L"\\\\server\\Invoices", kInvalidName},
      {L"Invoices,LocalOnly", kInvalidName},
      {std::wstring(221, L'x'), kInvalidName},
      {L"Taken", kNameTaken},
      {L"TAKEN", kNameTaken},  // printer names ignore case
      {kPrinterName, kNameTaken},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AddNamedPrinter(c.name), c.code) << c.name;
  }
  EXPECT_EQ(ListedPrinters().size(), printers);
}

TEST_F(InstalledProduct, RemovingRefusesAPrinterOfAnotherPortAndAnUnknownName) {
  const auto main = FindPrinter(kPrinterName);
  ASSERT_TRUE(main.has_value());
  const PrinterOnAnotherPort other(L"Somebody Else's", main->driver);
  ASSERT_TRUE(other);

  EXPECT_EQ(RemoveNamedPrinter(L"Somebody Else's"), kNotOnOurPort);
  EXPECT_TRUE(FindPrinter(L"Somebody Else's").has_value());
  EXPECT_EQ(RemoveNamedPrinter(L"No Such Printer"), kNoSuchPrinter);
  EXPECT_EQ(RemoveNamedPrinter(L"Somebody Else's,LocalOnly"), kInvalidName);
  EXPECT_TRUE(FindPrinter(L"Somebody Else's").has_value());
}

TEST_F(InstalledProduct, SetupAgainKeepsTheAddedPrintersOnThePort) {
  ASSERT_EQ(AddNamedPrinter(L"Invoices"), 0u);
  ASSERT_EQ(RunSetup(), 0u);
  const auto kept = FindPrinter(L"Invoices");
  ASSERT_TRUE(kept.has_value());
  EXPECT_TRUE(SameText(kept->port, kPortName)) << kept->port;
}

}  // namespace
