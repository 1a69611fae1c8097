#include "imaging/MappedFile.h"

#include <QFileInfo>

MappedFile::MappedFile(const QString& path) : m_file(path) {
    const QFileInfo info(path);
    if (!info.isFile() || !m_file.open(QIODevice::ReadOnly))
        return;
    m_open = true;
    const qint64 size = m_file.size();
    if (size <= 0)
        return;
    m_mapped = m_file.map(0, size);
    if (!m_mapped) {
        m_open = false;
        return;
    }
    m_bytes = ByteView{m_mapped, static_cast<std::size_t>(size)};
}

MappedFile::~MappedFile() {
    if (m_mapped)
        m_file.unmap(m_mapped);
}
