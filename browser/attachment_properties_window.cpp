#include "browser/attachment_properties_window.h"

#include <string>

#include "browser/attachment_files.h"
#include "core/program.h"
#include "platform/gui/button.h"
#include "platform/gui/group_box.h"
#include "platform/gui/label.h"
#include "platform/gui/modal.h"
#include "platform/gui/window.h"

namespace vostrel::browser {
namespace {

// Controls over the group box are placed relative to it.
constexpr int kGroupLeft = 0;
constexpr int kGroupTop = 32;

struct PropertiesLabels {
  gui::Label* name = nullptr;
  gui::Label* type = nullptr;
  gui::Label* size = nullptr;
  gui::Label* encoding = nullptr;
};

gui::Label* AddGroupLabel(gui::Window& window, const std::string& name, int left, int top, int width, int height,
                          const std::string& caption = "") {
  return window.Add<gui::Label>(name, kGroupLeft + left, kGroupTop + top, width, height, caption);
}

PropertiesLabels AddLabels(gui::Window& window) {
  PropertiesLabels labels;
  labels.name = window.Add<gui::Label>("附件名标签", 24, 8, 272, 24);
  window.Add<gui::Label>("标签2", 285, 24, 16, 112);
  window.Add<gui::GroupBox>("分组框1", kGroupLeft, kGroupTop, 304, 96, "");
  AddGroupLabel(window, "标签1", 0, 0, 16, 112);
  AddGroupLabel(window, "标签4", 40, 12, 64, 32, "附件类型：");
  labels.type = AddGroupLabel(window, "附件类型标签", 112, 12, 168, 32);
  AddGroupLabel(window, "标签5", 40, 35, 64, 32, "文件大小：");
  labels.size = AddGroupLabel(window, "附件大小标签", 112, 35, 168, 32);
  AddGroupLabel(window, "标签6", 40, 57, 64, 32, "编码方式：");
  labels.encoding = AddGroupLabel(window, "编码方式标签", 112, 57, 168, 32);
  return labels;
}

void FillLabels(const core::ProgramState& state, const PropertiesLabels& labels) {
  labels.name->SetCaption(state.attachment_name_text);
  labels.type->SetCaption(state.attachment_type_text);
  labels.size->SetCaption(std::to_string(state.attachment_size_value));
  labels.encoding->SetCaption(state.attachment_encoding_text);
}

void OpenNamedAttachment(core::Program& program, const gui::Label& name_label) {
  AttachmentLookup lookup(program);
  if (lookup.Find(name_label.Caption())) OpenCurrentAttachment(program);
}

void SaveNamedAttachment(core::Program& program, const gui::Label& name_label) {
  AttachmentLookup lookup(program);
  const std::optional<std::string> folder = AskSaveFolder(program);
  if (folder && lookup.Find(name_label.Caption())) SaveCurrentAttachment(program, *folder);
}

}  // namespace

void ShowAttachmentPropertiesWindow(core::Program& program) {
  gui::Window window("附件属性", 50, 50, 306, 196);
  const PropertiesLabels labels = AddLabels(window);
  auto* open = window.Add<gui::Button>("打开附件按钮", 48, 140, 64, 24, "打开");
  auto* save = window.Add<gui::Button>("保存附件按钮", 120, 140, 64, 24, "保存");
  auto* close = window.Add<gui::Button>("取消按钮", 192, 140, 64, 24, "取消");
  window.on_created = [&program, labels] { FillLabels(program.state, labels); };
  open->on_click = [&program, name = labels.name] { OpenNamedAttachment(program, *name); };
  save->on_click = [&program, name = labels.name] { SaveNamedAttachment(program, *name); };
  close->on_click = [&window] { window.Destroy(); };
  gui::RunModal(window);
}

}  // namespace vostrel::browser
