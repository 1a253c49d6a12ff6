#pragma once
// The files Assimp may open beside a model: a glTF's buffers, an OBJ's
// materials. A model from elsewhere names them, so only regular files in
// the model's folder (or below it) are opened, each read whole within a
// byte budget shared by all of them; a FIFO, a device, an absolute path or
// one leading out of the folder is refused as missing.
#include <QString>
#include <assimp/IOSystem.hpp>

class ModelFolderIo : public Assimp::IOSystem {
public:
    // An empty `folder` opens nothing.
    ModelFolderIo(const QString& folder, qint64 most_bytes);

    bool Exists(const char* name) const override;
    char getOsSeparator() const override { return '/'; }
    Assimp::IOStream* Open(const char* name, const char* mode = "rb") override;
    void Close(Assimp::IOStream* stream) override;

private:
    // The path `name` stands for inside the folder; empty when refused.
    QString inside_folder(const char* name) const;

    QString folder;
    qint64 bytes_left;
};
