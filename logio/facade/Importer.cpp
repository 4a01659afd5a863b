#include "logio/facade/Importer.h"

#include "logio/host/Factory.h"
#include "logio/host/StreamManager.h"

CImporter::CImporter()
    : m_mapper(CFactory::Instance()->CreateDBMapper()),
      m_streamManager(CStreamManagerCreator::CreateStreamManager()) {}

CExporter::CExporter() : m_streamManager(CStreamManagerCreator::CreateStreamManager()) {}
