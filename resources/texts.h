// The program's own texts (UTF-8), in one place.
#ifndef OXBYTE_RESOURCES_TEXTS_H
#define OXBYTE_RESOURCES_TEXTS_H

#define PROGRAM_NAME "Oxbyte"
#define FRAME_CLASS "Oxbyte"
#define VIEW_CLASS "oxpanel"

#define TEXT_WRONG_SYSTEM "系统版本错误?"
#define TEXT_DESCRIPTION_STATUS "Oxbyte,免费的十六进制编辑器"
#define TEXT_OPEN_BEGUN "打开待编辑文件"
#define TEXT_TOO_LARGE "文件%s太大了!"
#define TEXT_CANNOT_READ "无法读取文件:%s!"
#define TEXT_CANNOT_WRITE "无法写入文件:%s"
#define TEXT_REVERT_QUESTION "撤销所有修改?"
#define TEXT_SAVE_QUESTION "保存修改到 %s?"
#define TEXT_UNTITLED "(无标题)"
#define TEXT_NOT_FOUND "未找到"
#define TEXT_TITLE_FORMAT "%s - %s [%s 字节]"
#define TEXT_POSITION_FORMAT "当前位置: %i / %06X"

#endif
