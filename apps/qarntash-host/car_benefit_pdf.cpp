// The employment page as a PDF, drawn with libharu.
#include "car_benefit_pdf.h"

#include <hpdf.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/rounding.h"

namespace host {

namespace {

// A4 in points, and the page's frame.
constexpr float kPageWidth = 595.0f;
constexpr float kPageHeight = 842.0f;
constexpr float kMargin = 56.0f;
constexpr float kTextSize = 10.0f;
constexpr float kBasisSize = 7.5f;
constexpr float kTitleSize = 14.0f;
constexpr float kLine = 14.0f;
constexpr float kBasisLine = 10.0f;

// libharu reports failures through a handler; the last one is kept for the message.
struct PdfFailure {
  HPDF_STATUS code = HPDF_OK;
  HPDF_STATUS detail = 0;
};
void on_failure(HPDF_STATUS code, HPDF_STATUS detail, void* data) {
  auto* failure = static_cast<PdfFailure*>(data);
  if (failure->code == HPDF_OK) {
    failure->code = code;
    failure->detail = detail;
  }
}

struct DocumentFree {
  void operator()(HPDF_Doc document) const { HPDF_Free(document); }
};
using Document = std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, DocumentFree>;

// The standard fonts take WinAnsi text: the pound sign is byte 0xA3; other characters outside
// ASCII, which the page does not use, are shown as "?".
std::string win_ansi(const std::string& utf8) {
  std::string text;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x80) {
      text += utf8[i];
    } else if (byte == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) == 0xA3) {
      text += '\xA3';
      ++i;
    } else if ((byte & 0xC0) != 0x80) {
      text += '?';  // the first byte of another character; its continuation bytes are dropped
    }
  }
  return text;
}

// As the report prints money ("cs:uk de:2 co:ye ro:no ze:ni ne:br"): pound sign, pence, commas,
// "nil" for nothing, brackets round a negative.
std::string money(double amount) {
  const double rounded = ttround(amount, 2, 2);
  if (rounded == 0) return "nil";
  const int length = std::snprintf(nullptr, 0, "%.2f", std::fabs(rounded));
  std::string digits(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
  std::snprintf(&digits[0], digits.size(), "%.2f", std::fabs(rounded));
  digits.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  std::size_t whole = digits.find('.');
  if (whole == std::string::npos) whole = digits.size();
  std::string grouped;
  for (std::size_t i = 0; i < whole; ++i) {
    if (i > 0 && (whole - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  const std::string text = "\xA3" + grouped + digits.substr(whole);
  return rounded < 0 ? "(" + text + ")" : text;
}

class PageWriter {
 public:
  PageWriter(HPDF_Doc document, HPDF_Page page)
      : page_(page),
        regular_(HPDF_GetFont(document, "Helvetica", "WinAnsiEncoding")),
        bold_(HPDF_GetFont(document, "Helvetica-Bold", "WinAnsiEncoding")),
        italic_(HPDF_GetFont(document, "Helvetica-Oblique", "WinAnsiEncoding")) {}

  void text(const std::string& utf8, HPDF_Font font, float size, float x) {
    HPDF_Page_BeginText(page_);
    HPDF_Page_SetFontAndSize(page_, font, size);
    HPDF_Page_TextOut(page_, x, y_, win_ansi(utf8).c_str());
    HPDF_Page_EndText(page_);
  }
  void right(const std::string& winAnsi, HPDF_Font font, float size, float rightEdge) {
    HPDF_Page_SetFontAndSize(page_, font, size);
    const float width = HPDF_Page_TextWidth(page_, winAnsi.c_str());
    HPDF_Page_BeginText(page_);
    HPDF_Page_TextOut(page_, rightEdge - width, y_, winAnsi.c_str());
    HPDF_Page_EndText(page_);
  }
  void down(float points) { y_ -= points; }
  void rule(float width) {
    HPDF_Page_SetLineWidth(page_, width);
    HPDF_Page_MoveTo(page_, kMargin, y_);
    HPDF_Page_LineTo(page_, kPageWidth - kMargin, y_);
    HPDF_Page_Stroke(page_);
  }
  void grey(bool on) { HPDF_Page_SetRGBFill(page_, on ? 0.35f : 0.0f, on ? 0.35f : 0.0f, on ? 0.35f : 0.0f); }

  HPDF_Font regular_font() const { return regular_; }
  HPDF_Font bold_font() const { return bold_; }
  HPDF_Font italic_font() const { return italic_; }

 private:
  HPDF_Page page_;
  HPDF_Font regular_;
  HPDF_Font bold_;
  HPDF_Font italic_;
  float y_ = kPageHeight - kMargin;
};

void draw(PageWriter& out, const CarBenefitPage& page) {
  const std::vector<std::string> heading = page_heading(page);
  for (std::size_t i = 0; i < heading.size(); ++i) {
    if (i > 0) out.down(i == 1 ? kLine + 4 : kLine);
    out.text(heading[i], i == 0 ? out.bold_font() : out.regular_font(), i == 0 ? kTitleSize : kTextSize, kMargin);
  }
  out.down(6);
  out.rule(0.5f);
  out.down(kLine + 4);

  const float money_right = kPageWidth - kMargin;
  const std::vector<CarBenefitStep>& steps = page.working.steps;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const CarBenefitStep& step = steps[i];
    if (i > 0 && step.part != steps[i - 1].part) out.down(kLine * 0.6f);
    const bool result = step.kind == CarBenefitStep::kResult;
    const HPDF_Font font = result ? out.bold_font() : out.regular_font();
    out.text(step.description, font, kTextSize, kMargin);
    if (step.kind != CarBenefitStep::kNote) out.right(money(step.amount), font, kTextSize, money_right);
    if (!step.basis.empty()) {
      out.down(kBasisLine);
      out.grey(true);
      out.text(step.basis, out.italic_font(), kBasisSize, kMargin + 12);
      out.grey(false);
    }
    out.down(kLine);
    if (result && step.part == CarBenefitStep::kTotal) {
      out.down(-kLine + 10);
      out.rule(1.0f);
      out.down(kLine);
    }
  }
}

}  // namespace

bool write_car_benefit_pdf(const CarBenefitPage& page, const std::string& path, std::string& error) {
  PdfFailure failure;
  Document document(HPDF_New(on_failure, &failure));
  if (!document) {
    error = "the PDF could not be started";
    return false;
  }
  HPDF_SetCompressionMode(document.get(), HPDF_COMP_ALL);
  HPDF_SetInfoAttr(document.get(), HPDF_INFO_TITLE, "Company car and fuel benefit");
  HPDF_SetInfoAttr(document.get(), HPDF_INFO_CREATOR, "qarntash-host");
  HPDF_Page pdf_page = HPDF_AddPage(document.get());
  if (pdf_page != nullptr) {
    HPDF_Page_SetWidth(pdf_page, kPageWidth);
    HPDF_Page_SetHeight(pdf_page, kPageHeight);
    PageWriter writer(document.get(), pdf_page);
    draw(writer, page);
  }
  if (failure.code != HPDF_OK) {
    char text[96];
    std::snprintf(text, sizeof text, "the PDF could not be made (libharu error 0x%04X, detail %u)",
                  static_cast<unsigned>(failure.code), static_cast<unsigned>(failure.detail));
    error = text;
    return false;
  }
  if (HPDF_SaveToFile(document.get(), path.c_str()) != HPDF_OK) {
    error = "cannot write the PDF to " + path;
    return false;
  }
  return true;
}

}  // namespace host
