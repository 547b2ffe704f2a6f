// Dialog engine: lists and images being filled, and the file dialog.
#include "dcl/drivers.h"
#include "dcl/engine.h"
#include "dcl/messages.h"
#include "slide/image.h"

namespace cadhost::dcl {

Status DialogEngine::start_list(Dialog* d, const std::string& key, int op, int index) {
    if (m_list) return Error{text(Msg::ListOpen, m_list->key)};
    if (!is_open(d)) return Error{text(Msg::DialogGone)};
    Tile* t = d->find(key);
    if (!t) return Error{text(Msg::NoSuchTile, key)};
    if (!t->is_list()) return Error{text(Msg::NotAList, key)};
    if (op < 1 || op > 3) return Error{text(Msg::BadListOperation, std::to_string(op))};
    auto list_op = static_cast<ListOp>(op);
    if (list_op == ListOp::Change && (index < 0 || index >= static_cast<int>(t->list.size())))
        return Error{text(Msg::ListIndex, std::to_string(index))};
    m_list = std::make_unique<PendingList>(PendingList{d, key, list_op, index, {}});
    return ok_status();
}

Status DialogEngine::add_list(const std::string& item) {
    if (!m_list) return Error{text(Msg::ListNotStarted)};
    if (m_list->op == ListOp::Change) {
        const Tile* t = is_open(m_list->dialog) ? m_list->dialog->find(m_list->key) : nullptr;
        size_t at = static_cast<size_t>(m_list->index) + m_list->items.size();
        if (!t || at >= t->list.size()) return Error{text(Msg::ListIndex, std::to_string(at))};
    }
    m_list->items.push_back(item);
    return ok_status();
}

Status DialogEngine::end_list() {
    if (!m_list) return Error{text(Msg::ListNotStarted)};
    auto pending = std::move(m_list);
    Tile* t = is_open(pending->dialog) ? pending->dialog->find(pending->key) : nullptr;
    if (!t) return Error{text(Msg::DialogGone)};
    switch (pending->op) {
    case ListOp::New: t->list = std::move(pending->items); break;
    case ListOp::Append: t->list.insert(t->list.end(), pending->items.begin(), pending->items.end()); break;
    case ListOp::Change:
        for (size_t i = 0; i < pending->items.size(); ++i) t->list[pending->index + i] = pending->items[i];
        break;
    }
    pending->dialog->list_changed(*t);
    return ok_status();
}

Status DialogEngine::start_image(Dialog* d, const std::string& key) {
    if (m_image) return Error{text(Msg::ImageOpen, m_image->key)};
    if (!is_open(d)) return Error{text(Msg::DialogGone)};
    Tile* t = d->find(key);
    if (!t) return Error{text(Msg::NoSuchTile, key)};
    if (!t->is_image()) return Error{text(Msg::NotAnImage, key)};
    m_image = std::make_unique<PendingImage>(PendingImage{d, key, {}});
    return ok_status();
}

Status DialogEngine::fill_image(int x, int y, int w, int h, int color) {
    if (!m_image) return Error{text(Msg::ImageNotStarted)};
    if (w < 0 || h < 0) return Error{text(Msg::BadValue, std::to_string(w) + "x" + std::to_string(h))};
    slide::ImageOp op;
    op.kind = slide::OpKind::Fill;
    op.x1 = x, op.y1 = y, op.x2 = w, op.y2 = h, op.color = color;
    m_image->ops.push_back(op);
    return ok_status();
}

Status DialogEngine::vector_image(int x1, int y1, int x2, int y2, int color) {
    if (!m_image) return Error{text(Msg::ImageNotStarted)};
    slide::ImageOp op;
    op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2, op.color = color;
    m_image->ops.push_back(op);
    return ok_status();
}

Status DialogEngine::slide_image(int x, int y, int w, int h, const std::string& slide_name) {
    if (!m_image) return Error{text(Msg::ImageNotStarted)};
    slide::Slide s = CH_TRY(slide::load_slide(slide_name, m_slide_reader));
    slide::draw_slide(s, x, y, w, h, m_image->ops);
    return ok_status();
}

// A fill covering the whole tile hides what was drawn before it, so the
// tile forgets that; otherwise drawings accumulate.
Status DialogEngine::end_image() {
    if (!m_image) return Error{text(Msg::ImageNotStarted)};
    auto pending = std::move(m_image);
    Tile* t = is_open(pending->dialog) ? pending->dialog->find(pending->key) : nullptr;
    if (!t) return Error{text(Msg::DialogGone)};
    auto [cx, cy] = tile_size(*t);
    for (slide::ImageOp& op : pending->ops) {
        bool covers = op.kind == slide::OpKind::Fill && op.x1 <= 0 && op.y1 <= 0 && op.x1 + op.x2 >= cx &&
                      op.y1 + op.y2 >= cy;
        if (covers) t->image.clear();
        t->image.push_back(std::move(op));
    }
    return ok_status();
}

Result<std::optional<std::string>> DialogEngine::get_filed(const FiledRequest& r, FiledMode mode) {
    auto driver = make_driver();
    return run_file_dialog(r, mode, *driver, m_input, m_checks);
}

}  // namespace cadhost::dcl
