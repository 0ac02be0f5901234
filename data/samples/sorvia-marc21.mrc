*00000000cam  2200000 a 4500
*001LIBR10000001
*003SE-LIBR
*00520040315120000.0
*008040315s2004    sw            001 1 swe d
*020  $a91-7263-104-8$cinb.
*041 0$aswe
*1001 $aLindqvist, Märta,$d1951-
*24510$aHöstens fåglar :$broman /$cMärta Lindqvist
*250  $a2. uppl.
*260  $aStockholm :$bNorrsken,$c2004
*300  $a312 s. ;$c22 cm
*4900 $aNorrskens pocket,$x1402-6651 ;$v17
*500  $aFörsta upplagan 2001
*650 7$aFåglar$vskönlitteratur$2sao
*7001 $aÖberg, Åke,$eill.
*852  $bGöt$hHc$jHc Lindqvist

^
*00000000cam  2200000 a 4500
*001LIBR10000002
*003SE-LIBR
*00519981102093000.0
*008981102s1998    sw a          001 0 swe d
*020  $a91-88346-22-X$chft.
*041 1$aswe$heng
*1001 $aHarwood, Ellen
*24010$aBirds of the northern coast$lSvenska
*24510$aFåglar vid norra kusten /$cEllen Harwood ; översättning: Per Sjögren
*260  $aGöteborg :$bKustförlaget,$c1998
*300  $a186 s. :$bill. ;$c25 cm
*500  $aMed register
*650 7$aFåglar$zNorden$2sao
*650 7$aKustområden$zNorden$2sao
*7001 $aSjögren, Per,$d1944-$4trl
*852  $bS$cMag$hUdbaf$jUdbaf Harwood
*852  $bGöt$hUdbaf$x2 ex.

^
*00000000cam  2200000 a 4500
*001LIBR10000003
*003SE-LIBR
*00519950612101500.0
*008950612s1995    sw a          001 0 swe d
*020  $a91-45-11876-2
*041 0$aswe
*1001 $aBergström, Nils
*24510$aRäkna med dator :$bhandbok för nybörjare /$cNils Bergström
*250  $a3. uppl.
*260  $aLund :$bStudentlitteratur,$c1995
*300  $a240 s. :$bill. ;$c24 cm
*500  $aInnehåller övningar med lösningar
*650 7$aDatorer$xhandböcker$2sao
*852  $bUm$hPuc$jPuc Bergström$iUtgallr

^
*00000000cas  2200000 a 4500
*001LIBR10000004
*003SE-LIBR
*00520030120080000.0
*008850301c19859999sw qr p       0   b0swe d
*022  $a0281-7713
*041 0$aswe
*24500$aSkärgårdsnytt :$bmedlemsblad för Föreningen Skärgårdsvännerna
*260  $aNynäshamn :$bFöreningen Skärgårdsvännerna,$c1985-
*300  $av. :$bill. ;$c30 cm
*310  $aKvartalsvis
*3620 $a1985:1-
*650 7$aSkärgårdar$zSverige$vtidskrifter$2sao
*852  $bNyn$cTidskr$hPpt$zSenaste årgången i läsesalen

^
*00000000cam  2200000 a 4500
*001LIBR10000005
*003SE-LIBR
*00520070905143000.0
*008070905s2007    sw a   j      001 1 swe d
*020  $a978-91-29-66431-7$cinb.
*041 0$aswe
*1001 $aÅström, Greta,$d1962-
*24510$aMus i mörkret /$cGreta Åström ; bilder av Jonas Ek
*260  $aStockholm :$bRabén & Sjögren,$c2007
*300  $a[32] s. :$bill. ;$c27 cm
*4900 $aMusböckerna ;$v3
*500  $aFör barn 3-6 år
*650 7$aMöss$vskönlitteratur$2barn
*650 7$aMörkerrädsla$vskönlitteratur$2barn
*7001 $aEk, Jonas,$d1970-$eill.
*852  $bGöt$hHcf$jHcf Åström
*852  $bS$hHcf$iReferens

^
