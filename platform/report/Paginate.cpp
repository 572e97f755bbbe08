#include "report/Paginate.h"

#include <algorithm>
#include <cmath>

#include "db/Shape.h"
#include "report/Text.h"
#include "vb/Conversions.h"
#include "vb/VbError.h"

namespace report {

std::string FormatValue(const vb::Variant& value, const std::string& format) {
  switch (value.Type()) {
    case vb::VarType::Empty:
    case vb::VarType::Null:
    case vb::VarType::Object: return {};
    case vb::VarType::String: return value.AsString();
    default: return vb::Format(value, format);
  }
}

std::string FillPlaceholders(const std::string& caption, int page, int pages, vb::Date now, const std::string& title) {
  if (caption.find('%') == std::string::npos) return caption;
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '%' && i + 1 < caption.size()) {
      switch (caption[i + 1]) {
        case 'p': out += std::to_string(page); ++i; continue;
        case 'P': out += std::to_string(pages); ++i; continue;
        case 'd': out += vb::Format(vb::Variant(now), "Short Date"); ++i; continue;
        case 'T': out += vb::Format(vb::Variant(now), "Long Time"); ++i; continue;
        case 'i': out += title; ++i; continue;
        default: break;
      }
    }
    out += caption[i];
  }
  return out;
}

namespace detail {
namespace {

constexpr double kEps = 1e-6;

// One row of one level of the data: the set and the 1-based position.
struct Level {
  db::Recordset* set = nullptr;
  long pos = 0;
};
using Context = std::vector<Level>;

// Which row a band reads from a level below its own: a header (or the
// detail) its first, a footer its last.
enum class Phase { Header, Footer };

int ChapterIndex(const db::Recordset& rs) {
  for (int i = 0; i < rs.FieldCount(); ++i) {
    if (rs.FieldInfo(i).type == db::DataType::Chapter) return i;
  }
  return -1;
}

// The child rows of a row: its first chapter field's set; nullptr when the
// level carries none.
db::Recordset* ChildOf(const Level& level) {
  const int chapter = ChapterIndex(*level.set);
  if (chapter < 0) return nullptr;
  return db::ChapterRows(level.set->ValueAt(level.pos, chapter)).get();
}

// The data source as levels: the outermost set (level 0, data member ""),
// then one level per chapter, named after its chapter field.
class Data {
 public:
  explicit Data(const db::RecordsetPtr& top) : top_(top && top->State() == db::ObjectState::Open ? top.get() : nullptr) {
    names_.emplace_back();
    // The names of the levels, from the first row of each level that has one.
    for (db::Recordset* set = top_; set && set->RecordCount() > 0;) {
      const int chapter = ChapterIndex(*set);
      if (chapter < 0) {
        complete_ = true;
        return;
      }
      names_.push_back(set->FieldInfo(chapter).name);
      set = ChildOf({set, 1});
    }
  }

  db::Recordset* Top() const { return top_; }

  // The level a data member names; -1 when the data holds no rows deep
  // enough to know it. A member that the data lacks is error 3265.
  int LevelOf(const std::string& member, const SectionLayout& section, const ControlLayout& control) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
      if (vb::TextEquals(names_[i], member)) return static_cast<int>(i);
    }
    if (!complete_) return -1;
    throw vb::VbError(vb::err::ItemNotFound, "The data member \"" + member + "\" of " + section.name + "." +
                                                 control.name + " is not in the report's data source.");
  }

  // The row of `level` that a band in context `ctx` reads.
  bool RowAt(int level, const Context& ctx, Phase phase, Level& row) const {
    if (level < static_cast<int>(ctx.size())) {
      row = ctx[static_cast<std::size_t>(level)];
      return true;
    }
    auto pick = [&](db::Recordset* set, Level& out) {
      if (!set || set->RecordCount() == 0) return false;
      out = {set, phase == Phase::Header ? 1 : set->RecordCount()};
      return true;
    };
    Level current;
    int depth = static_cast<int>(ctx.size()) - 1;
    if (ctx.empty()) {
      if (!pick(top_, current)) return false;
      depth = 0;
    } else {
      current = ctx.back();
    }
    for (; depth < level; ++depth) {
      if (!pick(ChildOf(current), current)) return false;
    }
    row = current;
    return true;
  }

  vb::Variant Value(const SectionLayout& section, const ControlLayout& control, const Context& ctx,
                    Phase phase) const {
    const int level = LevelOf(control.dataMember, section, control);
    Level row;
    if (level < 0 || !RowAt(level, ctx, phase, row)) return vb::Null;
    return row.set->ValueAt(row.pos, FieldOf(*row.set, section, control));
  }

  // The sum of a function's field over the rows of the band's group (the
  // whole report outside any group).
  vb::Variant Sum(const SectionLayout& section, const ControlLayout& control, const Context& ctx) const {
    const int level = LevelOf(control.dataMember, section, control);
    if (level < 0) return vb::Null;
    vb::Variant sum = vb::Null;
    const auto scope = static_cast<int>(ctx.size());
    if (level < scope) {
      const Level& row = ctx[static_cast<std::size_t>(level)];
      Add(sum, row.set->ValueAt(row.pos, FieldOf(*row.set, section, control)));
    } else if (scope == 0) {
      Collect(top_, 0, level, section, control, sum);
    } else {
      Collect(ChildOf(ctx.back()), scope, level, section, control, sum);
    }
    return sum;
  }

 private:
  static int FieldOf(const db::Recordset& set, const SectionLayout& section, const ControlLayout& control) {
    const int index = set.FieldIndex(control.dataField);
    if (index < 0) {
      throw vb::VbError(vb::err::ItemNotFound, "The data field \"" + control.dataField + "\" of " + section.name + "." +
                                                   control.name + " is not in the report's data source.");
    }
    return index;
  }

  static void Add(vb::Variant& sum, const vb::Variant& value) {
    if (value.IsNull() || value.IsEmpty() || !vb::IsNumeric(value)) return;
    const vb::Variant number = value.IsString() ? vb::Variant(vb::CDbl(value)) : value;
    sum = sum.IsNull() ? number : sum + number;
  }

  static void Collect(db::Recordset* set, int level, int target, const SectionLayout& section,
                      const ControlLayout& control, vb::Variant& sum) {
    if (!set) return;
    const long count = set->RecordCount();
    if (count == 0) return;
    if (level == target) {
      const int field = FieldOf(*set, section, control);
      for (long pos = 1; pos <= count; ++pos) Add(sum, set->ValueAt(pos, field));
      return;
    }
    for (long pos = 1; pos <= count; ++pos) Collect(ChildOf({set, pos}), level + 1, target, section, control, sum);
  }

  db::Recordset* top_;
  std::vector<std::string> names_;
  bool complete_ = false;
};

bool IsText(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::TextBox || kind == ControlKind::Function;
}

// A visible control of a band, laid out in the band: grown and pushed down.
struct BandItem {
  const ControlLayout* control = nullptr;
  double top = 0;
  double height = 0;
  std::vector<std::string> lines;
  std::vector<double> widths;
  LineMetrics metrics;
  bool splittable = false;     // a grown text may break between its lines
  std::string pending;         // a caption whose placeholders are filled once the pages are counted

  double Bottom() const { return top + height; }
};

struct Band {
  const SectionLayout* section = nullptr;
  double height = 0;
  std::vector<BandItem> items;
  Context ctx;
};

// What a page number and the count of pages are while a band is laid out.
struct Numbering {
  int page = 1;
  int pages = 1;
};

// A placed item, with its caption's placeholders still to fill.
struct Placed {
  PrintedItem item;
  std::string pending;
  double width = 0;
};

class Paginator {
 public:
  explicit Paginator(const PaginateRequest& request) : r_(request), layout_(*request.layout), data_(request.data) {
    for (const SectionLayout& s : layout_.sections) {
      switch (s.kind) {
        case SectionKind::ReportHeader: reportHeader_ = &s; break;
        case SectionKind::PageHeader: pageHeader_ = &s; break;
        case SectionKind::GroupHeader: groupHeaders_.push_back(&s); break;
        case SectionKind::Detail: detail_ = &s; break;
        case SectionKind::GroupFooter: groupFooters_.push_back(&s); break;
        case SectionKind::PageFooter: pageFooter_ = &s; break;
        case SectionKind::ReportFooter: reportFooter_ = &s; break;
      }
    }
    const bool landscape = r_.orientation == 2;
    paperWidth_ = landscape ? LetterLongSide : LetterShortSide;
    paperHeight_ = landscape ? LetterShortSide : LetterLongSide;
  }

  std::vector<Page> Run() {
    const Context none;
    headerHeight_ = Visible(pageHeader_) ? Lay(*pageHeader_, none, Phase::Header, {}).height : 0;
    footerHeight_ = Visible(pageFooter_) ? Lay(*pageFooter_, none, Phase::Footer, {}).height : 0;
    FitMargins();
    bodyTop_ = margins_.top + headerHeight_;
    bodyBottom_ = paperHeight_ - margins_.bottom - footerHeight_;
    if (bodyBottom_ - bodyTop_ < 1) {
      throw vb::VbError(vb::err::InvalidProcedureCall,
                        "The page header and footer of the report " + layout_.name + " leave no room on the page.");
    }

    NewPage();
    Emit(reportHeader_, none, Phase::Header);
    Context ctx;
    Walk(0, data_.Top(), ctx);
    Emit(reportFooter_, none, Phase::Footer);
    return Finish();
  }

 private:
  struct PageBuild {
    std::vector<Placed> body;
    Context first, last;
    bool hasBand = false;
  };

  static bool Visible(const SectionLayout* s) { return s && s->visible; }

  // Keeps the layout's margins, narrowed where the layout would not fit:
  // left and right when the report is wider than the sheet between them;
  // top and bottom when a band kept together does not fit between the page
  // header and footer, but would with them narrowed.
  void FitMargins() {
    margins_ = layout_.margins;
    if (margins_.left + layout_.width + margins_.right > paperWidth_) {
      margins_.left = std::min(margins_.left, NarrowMargin);
      margins_.right = std::min(margins_.right, NarrowMargin);
    }
    int kept = 0;
    for (const SectionLayout& s : layout_.sections) {
      if (s.visible && s.keepTogether && s.kind != SectionKind::PageHeader && s.kind != SectionKind::PageFooter)
        kept = std::max(kept, s.height);
    }
    const double needed = headerHeight_ + kept + footerHeight_;
    const int top = std::min(margins_.top, NarrowMargin);
    const int bottom = std::min(margins_.bottom, NarrowMargin);
    if (margins_.top + needed + margins_.bottom > paperHeight_ && top + needed + bottom <= paperHeight_) {
      margins_.top = top;
      margins_.bottom = bottom;
    }
  }

  void Walk(int level, db::Recordset* set, Context& ctx) {
    const long count = set ? set->RecordCount() : 0;
    const auto groups = static_cast<int>(groupHeaders_.size());
    for (long pos = 1; pos <= count; ++pos) {
      ctx.resize(static_cast<std::size_t>(level));
      ctx.push_back({set, pos});
      if (level < groups) {
        Emit(groupHeaders_[static_cast<std::size_t>(level)], ctx, Phase::Header);
        Walk(level + 1, ChildOf(ctx.back()), ctx);
        ctx.resize(static_cast<std::size_t>(level) + 1);
        Emit(groupFooters_[static_cast<std::size_t>(groups - 1 - level)], ctx, Phase::Footer);
      } else {
        Emit(detail_, ctx, Phase::Header);
      }
    }
    ctx.resize(static_cast<std::size_t>(level));
  }

  // --- One band: its controls bound, grown and pushed down -------------------

  std::string TextOf(const SectionLayout& section, const ControlLayout& c, const Context& ctx, Phase phase,
                     Numbering n) const {
    switch (c.kind) {
      case ControlKind::Label: return FillPlaceholders(c.caption, n.page, n.pages, r_.now, r_.title);
      case ControlKind::TextBox: return FormatValue(data_.Value(section, c, ctx, phase), c.format);
      case ControlKind::Function: return FormatValue(data_.Sum(section, c, ctx), c.format);
      default: return {};
    }
  }

  Band Lay(const SectionLayout& section, const Context& ctx, Phase phase, Numbering n) const {
    Band band;
    band.section = &section;
    band.ctx = ctx;
    for (const ControlLayout& c : section.controls) {
      if (!c.visible) continue;
      BandItem item;
      item.control = &c;
      item.top = c.top;
      item.height = c.height;
      if (IsText(c.kind)) {
        const std::string text = TextOf(section, c, ctx, phase, n);
        if (c.kind == ControlKind::Label && c.caption.find('%') != std::string::npos) item.pending = c.caption;
        item.metrics = MetricsOf(c.font);
        if (!text.empty()) item.lines = WrapLines(text, c.font, WrapWidth(c), &item.widths);
        const double needed = static_cast<double>(item.lines.size()) * item.metrics.height;
        if (c.canGrow) {
          item.height = std::max<double>(c.height, needed);
          item.splittable = item.lines.size() > 1;
        } else {
          const auto fit = static_cast<std::size_t>(std::max(1.0, std::floor(c.height / item.metrics.height + kEps)));
          if (item.lines.size() > fit) {
            item.lines.resize(fit);
            item.widths.resize(fit);
          }
        }
      }
      band.items.push_back(std::move(item));
    }
    // Every control below a grown one moves down by what it grew (and by
    // what moved that one).
    std::vector<std::size_t> order(band.items.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return band.items[a].top < band.items[b].top; });
    struct Push {
      double bottom;  // as designed
      double by;
    };
    std::vector<Push> pushes;
    double most = 0;
    for (std::size_t i : order) {
      BandItem& item = band.items[i];
      const ControlLayout& c = *item.control;
      double shift = 0;
      for (const Push& p : pushes) {
        if (p.bottom <= c.top + kEps) shift = std::max(shift, p.by);
      }
      const double grown = item.height - c.height;
      item.top += shift;
      if (grown > kEps) pushes.push_back({static_cast<double>(c.top) + c.height, shift + grown});
      most = std::max(most, shift + std::max(0.0, grown));
    }
    band.height = section.height + most;
    for (const BandItem& item : band.items) band.height = std::max(band.height, item.Bottom());
    return band;
  }

  // --- Placing bands on pages -----------------------------------------------

  void NewPage() {
    pages_.emplace_back();
    y_ = bodyTop_;
    pageHasContent_ = false;
  }

  void Emit(const SectionLayout* section, const Context& ctx, Phase phase) {
    if (!Visible(section)) return;  // a hidden section takes no space and breaks no page
    Band band = Lay(*section, ctx, phase, {static_cast<int>(pages_.size()), static_cast<int>(pages_.size())});
    Place(band);
  }

  void Place(Band& band) {
    // A band without height and with nothing visible prints nothing, not
    // even its page breaks.
    if (band.height < kEps && band.items.empty()) return;
    const int pageBreak = band.section->pageBreak;
    if ((breakPending_ || (pageBreak & PageBreakBefore)) && pageHasContent_) NewPage();
    breakPending_ = false;
    if (band.section->keepTogether && pageHasContent_ && band.height > bodyBottom_ - y_ + kEps) NewPage();

    double from = 0;
    for (;;) {
      const double room = bodyBottom_ - y_;
      if (band.height - from <= room + kEps) {
        Put(band, from, band.height, true);
        y_ += band.height - from;
        break;
      }
      double cut = Cut(band, from, from + room);
      if (cut <= from + kEps) {
        if (pageHasContent_) {
          NewPage();
          continue;
        }
        cut = from + room;  // one thing taller than a whole page: it is cut off
      }
      Put(band, from, cut, false);
      NewPage();
      from = cut;
    }
    if (pageBreak & PageBreakAfter) breakPending_ = true;
  }

  // The lowest place at or above `limit` where no control of the band is cut
  // in two, but a grown text between two of its lines.
  static double Cut(const Band& band, double from, double limit) {
    double cut = limit;
    for (bool moved = true; moved;) {
      moved = false;
      for (const BandItem& item : band.items) {
        if (!(item.top < cut - kEps && cut < item.Bottom() - kEps)) continue;
        double at = item.top;
        if (item.splittable) {
          const double lines = std::floor((cut - item.top) / item.metrics.height + kEps);
          at = lines >= static_cast<double>(item.lines.size()) ? cut : item.top + lines * item.metrics.height;
        }
        if (at < cut - kEps && at >= from - kEps) {
          cut = at;
          moved = true;
        } else if (at < from - kEps) {
          cut = from;  // nothing of this band fits above it
          moved = false;
          break;
        }
      }
    }
    return cut;
  }

  // Puts the part of a band between `from` and `cut` (band coordinates) on
  // the current page at y_.
  void Put(const Band& band, double from, double cut, bool last) {
    PageBuild& page = pages_.back();
    if (!page.hasBand) {
      page.first = band.ctx;
      page.hasBand = true;
    }
    page.last = band.ctx;
    for (const BandItem& item : band.items) {
      const ControlLayout& c = *item.control;
      const bool starts = item.top >= from - kEps && (item.top < cut - kEps || (last && item.top <= cut + kEps));
      const bool continues = item.top < from - kEps && item.Bottom() > from + kEps;
      if (!starts && !continues) continue;
      Placed placed;
      placed.item = Describe(*band.section, c);
      PrintedItem& p = placed.item;
      if (IsText(c.kind)) {
        const double lh = item.metrics.height;
        std::size_t firstLine = item.lines.size();
        for (std::size_t i = 0; i < item.lines.size(); ++i) {
          const double lineTop = item.top + static_cast<double>(i) * lh;
          if (lineTop < from - kEps) continue;
          if (lineTop >= cut - kEps && !(last && cut >= band.height - kEps)) break;
          if (firstLine == item.lines.size()) firstLine = i;
          p.lines.push_back(item.lines[i]);
          p.lineWidths.push_back(item.widths[i]);
        }
        if (continues && p.lines.empty()) continue;
        p.lineHeight = lh;
        p.lineTop = y_ + (firstLine < item.lines.size() ? item.top + static_cast<double>(firstLine) * lh
                                                        : std::max(item.top, from)) -
                    from;
        placed.pending = item.pending;
        placed.width = WrapWidth(c);
      } else if (continues) {
        continue;  // a line or shape prints once
      }
      const double top = std::max(item.top, from);
      const double bottom = std::min(item.Bottom(), last ? item.Bottom() : cut);
      p.rect = {margins_.left + c.left, static_cast<int>(std::lround(y_ + top - from)), c.width,
                static_cast<int>(std::lround(std::max(0.0, bottom - top)))};
      page.body.push_back(std::move(placed));
    }
    if (band.height > kEps || !band.items.empty()) pageHasContent_ = true;
  }

  // How a control prints: where it comes from and how it looks.
  static PrintedItem Describe(const SectionLayout& section, const ControlLayout& c) {
    return PrintedItem{.section = section.name, .control = c.name, .kind = c.kind, .rect = {}, .lines = {},
                       .lineWidths = {}, .lineTop = 0, .lineHeight = 0, .font = c.font, .align = c.align,
                       .border = c.border, .color = c.color, .filled = c.fillColor.has_value(),
                       .fillColor = c.fillColor.value_or(Rgb{})};
  }

  // --- Second pass: headers, footers and page numbers ------------------------

  // A page header or footer laid out in full at `top`.
  void PutWhole(const SectionLayout& section, const Context& ctx, Phase phase, Numbering n, double top,
                std::vector<PrintedItem>& out) const {
    const Band band = Lay(section, ctx, phase, n);
    for (const BandItem& item : band.items) {
      PrintedItem p = Describe(section, *item.control);
      p.rect = {margins_.left + item.control->left, static_cast<int>(std::lround(top + item.top)),
                item.control->width, static_cast<int>(std::lround(item.height))};
      p.lines = item.lines;
      p.lineWidths = item.widths;
      p.lineTop = top + item.top;
      p.lineHeight = item.metrics.height;
      out.push_back(std::move(p));
    }
  }

  std::vector<Page> Finish() {
    std::vector<Page> pages;
    const int count = static_cast<int>(pages_.size());
    for (int i = 0; i < count; ++i) {
      PageBuild& build = pages_[static_cast<std::size_t>(i)];
      Page page;
      page.number = i + 1;
      page.width = paperWidth_;
      page.height = paperHeight_;
      const Numbering n{i + 1, count};
      if (Visible(pageHeader_)) PutWhole(*pageHeader_, build.first, Phase::Header, n, margins_.top, page.items);
      for (Placed& placed : build.body) {
        if (!placed.pending.empty()) {
          const ControlLayout& c = *FindControl(placed.item.section, placed.item.control);
          const std::string text = FillPlaceholders(placed.pending, n.page, n.pages, r_.now, r_.title);
          std::vector<std::string> lines;
          std::vector<double> widths;
          if (!text.empty()) lines = WrapLines(text, c.font, placed.width, &widths);
          const auto fit = static_cast<std::size_t>(
              std::max(1.0, std::floor(placed.item.rect.height / std::max(kEps, placed.item.lineHeight) + kEps)));
          if (lines.size() > fit) {
            lines.resize(fit);
            widths.resize(fit);
          }
          placed.item.lines = std::move(lines);
          placed.item.lineWidths = std::move(widths);
        }
        page.items.push_back(std::move(placed.item));
      }
      if (Visible(pageFooter_)) {
        PutWhole(*pageFooter_, build.hasBand ? build.last : build.first, Phase::Footer, n,
                 paperHeight_ - margins_.bottom - footerHeight_, page.items);
      }
      pages.push_back(std::move(page));
    }
    return pages;
  }

  const ControlLayout* FindControl(const std::string& section, const std::string& control) const {
    for (const SectionLayout& s : layout_.sections) {
      if (s.name != section) continue;
      for (const ControlLayout& c : s.controls) {
        if (c.name == control) return &c;
      }
    }
    return nullptr;
  }

  const PaginateRequest& r_;
  const Layout& layout_;
  Data data_;
  const SectionLayout* reportHeader_ = nullptr;
  const SectionLayout* pageHeader_ = nullptr;
  const SectionLayout* detail_ = nullptr;
  const SectionLayout* pageFooter_ = nullptr;
  const SectionLayout* reportFooter_ = nullptr;
  std::vector<const SectionLayout*> groupHeaders_;
  std::vector<const SectionLayout*> groupFooters_;

  int paperWidth_ = LetterShortSide;
  int paperHeight_ = LetterLongSide;
  Margins margins_;
  double headerHeight_ = 0;
  double footerHeight_ = 0;
  double bodyTop_ = 0;
  double bodyBottom_ = 0;

  std::vector<PageBuild> pages_;
  double y_ = 0;
  bool pageHasContent_ = false;
  bool breakPending_ = false;
};

}  // namespace

std::vector<Page> Paginate(const PaginateRequest& request) { return Paginator(request).Run(); }

}  // namespace detail
}  // namespace report
