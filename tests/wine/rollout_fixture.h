// The map's editor opened by the host's material editor on a new map, with
// the module loaded through the host's plug-in loader.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "host_window.h"
#include "max.h"
#include "standin/material_editor.h"
#include "standin/plugin_library.h"

namespace wine_test {

class RolloutInEditor : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterHostControls();
        std::string error;
        library_ = standin::PluginLibrary::Load(WindowsPath(L"" AURIVEL_MODULE_PATH), &error);
        ASSERT_TRUE(library_) << error;
        map_ = static_cast<MtlBase*>(static_cast<ReferenceTarget*>(library_->Class(0)->Create(FALSE)));
        ASSERT_NE(map_, nullptr);
        editor_ = std::make_unique<standin::MaterialEditor>();
        ASSERT_NE(editor_->Open(map_), nullptr);
        page_ = editor_->Page(L"Parameters");
        ASSERT_NE(page_, nullptr) << "the rollout page was not created";
    }

    void TearDown() override {
        editor_.reset();
        if (map_) map_->DeleteThis();
        library_.reset();
    }

    HWND Item(int id) const { return GetDlgItem(page_, id); }

    std::unique_ptr<standin::PluginLibrary> library_;
    MtlBase* map_ = nullptr;
    std::unique_ptr<standin::MaterialEditor> editor_;
    HWND page_ = nullptr;
};

}  // namespace wine_test
